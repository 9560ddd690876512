#include "core/files/temporary_files.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kelmora {

namespace {

// A run of decimal digits as written by to_string: no sign, no leading zero, and short enough
// for any process id.
std::optional<long> plainNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
  long value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool processIsGone(long pid) {
  // EPERM means it exists but belongs to someone else: alive.
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string temporaryName(std::string_view file, long pid, int n) {
  return std::string(file) + ".tmp" + std::to_string(pid) + "-" + std::to_string(n);
}

std::optional<TemporaryOrigin> parseTemporaryName(std::string_view name) {
  const auto tmp = name.rfind(".tmp");
  if (tmp == std::string_view::npos || tmp == 0) return std::nullopt;
  const auto rest = name.substr(tmp + 4);
  const auto dash = rest.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto pid = plainNumber(rest.substr(0, dash));
  if (!pid || *pid == 0 || !plainNumber(rest.substr(dash + 1))) return std::nullopt;
  return TemporaryOrigin{std::string(name.substr(0, tmp)), *pid};
}

std::size_t removeStaleTemporaries(const std::filesystem::path& dir,
                                   const std::function<bool(std::string_view file)>& isOwnFile) {
  std::size_t removed = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const auto path = it->path();
    const auto origin = parseTemporaryName(path.filename().string());
    if (!origin || !isOwnFile(origin->file) || !processIsGone(origin->pid)) continue;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace kelmora
