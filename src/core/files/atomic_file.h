#pragma once

// Whole-file replacement: the new content goes to a temporary file beside the target, is
// flushed to disk and then renamed over the old file. A crash or a full disk leaves either the
// old file or the new one, never half of each.
//
// A target that is a symbolic link is written through to the file it points to. A target that
// exists must be a regular file the process may write: a file its owner made read-only is not
// replaced behind their back. It keeps its permission bits, and its owner and group where the
// system allows.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/files/file_io.h"

namespace kelmora {

// The file a save of `file` writes: itself, or the end of its chain of symbolic links. Nothing
// for a dangling link, a loop, or a path the system cannot look at.
std::optional<std::filesystem::path> followLinks(std::filesystem::path file);

class AtomicFile {
 public:
  // createMode: the permission bits of a file the game creates (account.ini: 0600, it holds
  // passwords); without it a new file gets 0666 less the umask.
  // Every failure throws FileError "Cannot create file <name>", name as the caller gave it.
  explicit AtomicFile(std::filesystem::path target, std::optional<unsigned> createMode = {});

  void write(std::string_view bytes);
  // Makes the new content the file's content. Without commit the old file stays untouched.
  void commit();

  // True when the folder takes no new file but the target may be written: the content is then
  // kept until commit and written over the target where it lies.
  bool inPlace() const { return inPlace_; }
  // The file the bytes go to: the target with its links followed.
  const std::filesystem::path& file() const { return file_; }

 private:
  // Removes the temporary file unless the rename made it the target.
  class Temporary {
   public:
    Temporary() = default;
    ~Temporary();
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    void set(std::filesystem::path path) { path_ = std::move(path); }
    const std::filesystem::path& path() const { return path_; }
    void keep() { path_.clear(); }

   private:
    std::filesystem::path path_;
  };

  [[noreturn]] void fail() const;
  bool createTemporary(unsigned mode);

  std::filesystem::path target_;
  std::filesystem::path file_;
  Temporary temp_;
  FileDescriptor fd_;  // declared after temp_: closed before the temporary is removed
  bool inPlace_ = false;
  std::string pending_;
};

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::optional<unsigned> createMode = {});

}  // namespace kelmora
