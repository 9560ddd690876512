#include "core/text/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/text/file_error.h"

namespace kelmora {

namespace {

void syncDirectory(const std::filesystem::path& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0)
    return;  // the rename already happened; a missing directory sync only costs durability
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target, std::optional<unsigned> forcedMode)
    : target_(std::move(target)) {
  const unsigned createMode = forcedMode.value_or(0666);
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temp_ = target_;
    temp_ += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    fail();
  }
  struct stat old {};
  if (forcedMode) {
    if (::fchmod(fd_, *forcedMode) != 0) fail();
  } else if (::stat(target_.c_str(), &old) == 0) {
    ::fchmod(fd_, old.st_mode & 07777);
  }
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFile::fail() {
  throw FileError::cannotCreate(target_.filename().string());
}

void AtomicFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail();
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void AtomicFile::commit() {
  if (::fsync(fd_) != 0) fail();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) fail();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) fail();
  temp_.clear();
  syncDirectory(target_.parent_path());
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::optional<unsigned> forcedMode) {
  AtomicFile file(target, forcedMode);
  file.write(bytes);
  file.commit();
}

}  // namespace kelmora
