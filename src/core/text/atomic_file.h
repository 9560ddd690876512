#pragma once

// Whole-file replacement: the new content goes to a temporary file in the same directory,
// is flushed to disk and then renamed over the old file. A crash or a full disk leaves either
// the old file or the new one, never half of each.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

class AtomicFile {
 public:
  // forcedMode sets the permission bits of the result (account.ini is 0600 because it holds
  // passwords); without it a replaced file keeps its bits and a new one gets the default.
  // Every failure throws FileError "Cannot create file <name>".
  explicit AtomicFile(std::filesystem::path target, std::optional<unsigned> forcedMode = {});
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void write(std::string_view bytes);
  // Makes the new content the file's content. Without commit the old file stays untouched.
  void commit();

 private:
  [[noreturn]] void fail();

  std::filesystem::path target_;
  std::filesystem::path temp_;
  int fd_ = -1;
};

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::optional<unsigned> forcedMode = {});

}  // namespace kelmora
