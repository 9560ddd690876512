#pragma once

// The one place that talks to the disk. Every open, read, write, sync and rename of the game's
// files goes through here, so that a test can make any single step fail (or the process die
// right there) and check that no file is ever left torn.
//
// Only regular files are read or written: a FIFO or a device put in place of a game file is
// refused at once instead of hanging the game.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <utility>

namespace kelmora {

enum class FileStep {
  openForReading,
  read,
  createTemporary,
  setOwnerAndMode,
  openInPlace,
  reserve,
  write,
  sync,
  close,
  rename,
  syncDirectory,
};

// Test seam: called before each step with the file that step works on. A non-zero result is an
// errno value the step then fails with. The program itself never sets a hook.
using FaultHook = int (*)(FileStep step, const std::filesystem::path& file);
// Returns the hook it replaces.
FaultHook setFaultHook(FaultHook hook);

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int release() { return std::exchange(fd_, -1); }
  void reset();

 private:
  int fd_ = -1;
};

// An existing regular file, or a link to one, opened for reading.
class InputFile {
 public:
  explicit InputFile(std::filesystem::path file);

  // When not open, error() is the errno value that says why: ENOENT for a missing file,
  // EISDIR or ENXIO for a directory or anything else that is not a regular file.
  bool isOpen() const { return static_cast<bool>(fd_); }
  int error() const { return error_; }
  std::uintmax_t size() const { return size_; }

  // Up to size bytes; 0 at the end of the file, -1 (errno set) when reading fails.
  std::ptrdiff_t read(char* buffer, std::size_t size);
  // The same from the given offset, leaving the position of read() where it was.
  std::ptrdiff_t readAt(char* buffer, std::size_t size, std::uintmax_t offset);

 private:
  std::filesystem::path file_;
  FileDescriptor fd_;
  int error_ = 0;
  std::uintmax_t size_ = 0;
};

// The steps of writing a file. Each returns false with errno set on failure.

// A new file that did not exist; open for writing.
FileDescriptor createExclusive(const std::filesystem::path& file, unsigned mode);
// Owner and group are kept when the system lets us (a player cannot give a file away); the
// permission bits must take.
bool copyOwnerAndMode(const FileDescriptor& fd, const std::filesystem::path& file, unsigned uid,
                      unsigned gid, unsigned mode);
bool setMode(const FileDescriptor& fd, const std::filesystem::path& file, unsigned mode);
bool writeAll(const FileDescriptor& fd, const std::filesystem::path& file, std::string_view bytes);
bool syncFile(const FileDescriptor& fd, const std::filesystem::path& file);
// The descriptor is gone afterwards whatever the result.
bool closeFile(FileDescriptor& fd, const std::filesystem::path& file);
bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Makes a rename in the folder of file durable.
bool syncDirectoryOf(const std::filesystem::path& file);

// An existing regular file, rewritten or extended where it lies: open, reserve the space,
// write, sync, close. On failure the file holds exactly its old bytes again (as far as the
// disk lets anything be written at all): the space is reserved before the first byte is
// written, and a write that fails all the same is undone.
bool rewriteInPlace(const std::filesystem::path& file, std::string_view bytes);
bool appendInPlace(const std::filesystem::path& file, std::string_view bytes);

}  // namespace kelmora
