#include "core/files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kelmora {

namespace {

FaultHook faultHook = nullptr;

// Whether a test wants this step to fail; errno is then set as the step would have set it.
bool injected(FileStep step, const std::filesystem::path& file) {
  if (faultHook == nullptr) return false;
  const int error = faultHook(step, file);
  if (error == 0) return false;
  errno = error;
  return true;
}

// O_NONBLOCK makes the open of a FIFO or a device return at once, so that fstat can refuse it;
// for the regular file that remains, reads and writes then block as usual.
FileDescriptor openRegular(const std::filesystem::path& file, int flags, struct stat* st) {
  FileDescriptor fd(::open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return fd;
  struct stat own {};
  if (st == nullptr) st = &own;
  if (::fstat(fd.get(), st) != 0) return {};
  if (!S_ISREG(st->st_mode)) {
    errno = S_ISDIR(st->st_mode) ? EISDIR : ENXIO;
    return {};
  }
  const int status = ::fcntl(fd.get(), F_GETFL);
  if (status < 0 || ::fcntl(fd.get(), F_SETFL, status & ~O_NONBLOCK) != 0) return {};
  return fd;
}

// Claims the blocks for bytes [offset, offset + length) without changing the file's size, so
// that a full disk shows before any byte of the file is touched. A file system that cannot
// reserve space is written without it.
bool reserve(const FileDescriptor& fd, const std::filesystem::path& file, std::uintmax_t offset,
             std::size_t length) {
  if (injected(FileStep::reserve, file)) return false;
  if (length == 0) return true;
  if (::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, static_cast<off_t>(offset),
                  static_cast<off_t>(length)) == 0) {
    return true;
  }
  return errno == EOPNOTSUPP || errno == ENOSYS;
}

// Puts the file back as it was after a failed in-place write; errno stays the failure's.
void restore(const FileDescriptor& fd, std::string_view old) {
  const int error = errno;
  std::size_t done = 0;
  while (done < old.size()) {
    const ssize_t n =
        ::pwrite(fd.get(), old.data() + done, old.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  [[maybe_unused]] const int ignored = ::ftruncate(fd.get(), static_cast<off_t>(old.size()));
  ::fsync(fd.get());
  errno = error;
}

}  // namespace

FaultHook setFaultHook(FaultHook hook) {
  return std::exchange(faultHook, hook);
}

void FileDescriptor::reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

InputFile::InputFile(std::filesystem::path file) : file_(std::move(file)) {
  if (injected(FileStep::openForReading, file_)) {
    error_ = errno;
    return;
  }
  struct stat st {};
  fd_ = openRegular(file_, O_RDONLY, &st);
  if (!fd_) {
    error_ = errno;
    return;
  }
  size_ = static_cast<std::uintmax_t>(st.st_size);
}

std::ptrdiff_t InputFile::read(char* buffer, std::size_t size) {
  if (injected(FileStep::read, file_)) return -1;
  for (;;) {
    const ssize_t n = ::read(fd_.get(), buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

std::ptrdiff_t InputFile::readAt(char* buffer, std::size_t size, std::uintmax_t offset) {
  if (injected(FileStep::read, file_)) return -1;
  for (;;) {
    const ssize_t n = ::pread(fd_.get(), buffer, size, static_cast<off_t>(offset));
    if (n >= 0 || errno != EINTR) return n;
  }
}

FileDescriptor createExclusive(const std::filesystem::path& file, unsigned mode) {
  if (injected(FileStep::createTemporary, file)) return {};
  return FileDescriptor(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
}

bool copyOwnerAndMode(const FileDescriptor& fd, const std::filesystem::path& file, unsigned uid,
                      unsigned gid, unsigned mode) {
  if (injected(FileStep::setOwnerAndMode, file)) return false;
  // Before the mode: changing the owner clears set-user and set-group bits. A player may not
  // give a file away, but may keep the group of a folder shared with others.
  if (::fchown(fd.get(), uid, gid) != 0) {
    [[maybe_unused]] const int ignored = ::fchown(fd.get(), static_cast<uid_t>(-1), gid);
  }
  return ::fchmod(fd.get(), mode) == 0;
}

bool setMode(const FileDescriptor& fd, const std::filesystem::path& file, unsigned mode) {
  if (injected(FileStep::setOwnerAndMode, file)) return false;
  return ::fchmod(fd.get(), mode) == 0;
}

bool writeAll(const FileDescriptor& fd, const std::filesystem::path& file, std::string_view bytes) {
  while (!bytes.empty()) {
    if (injected(FileStep::write, file)) return false;
    const ssize_t n = ::write(fd.get(), bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool syncFile(const FileDescriptor& fd, const std::filesystem::path& file) {
  if (injected(FileStep::sync, file)) return false;
  return ::fsync(fd.get()) == 0;
}

bool closeFile(FileDescriptor& fd, const std::filesystem::path& file) {
  const int raw = fd.release();
  // Linux frees the descriptor even when close reports an error, so it is never retried.
  const bool closed = ::close(raw) == 0;
  if (injected(FileStep::close, file)) return false;
  return closed;
}

bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (injected(FileStep::rename, to)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool syncDirectoryOf(const std::filesystem::path& file) {
  if (injected(FileStep::syncDirectory, file)) return false;
  const auto dir = file.parent_path();
  FileDescriptor fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // A folder we may not list cannot be synced, and some file systems cannot sync a folder at
  // all; neither is a failure of the disk, which is what this step is here to catch.
  if (!fd) return true;
  return ::fsync(fd.get()) == 0 || errno == EINVAL || errno == EBADF;
}

bool rewriteInPlace(const std::filesystem::path& file, std::string_view bytes) {
  if (injected(FileStep::openInPlace, file)) return false;
  struct stat st {};
  FileDescriptor fd = openRegular(file, O_RDWR, &st);
  if (!fd) return false;
  // Only the players' and the records' files are rewritten this way: small enough to keep a
  // copy of, so that a failure can put the old bytes back.
  std::string old(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t got = 0;
  while (got < old.size()) {
    const ssize_t n =
        ::pread(fd.get(), old.data() + got, old.size() - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  if (!reserve(fd, file, 0, bytes.size())) return false;
  if (!writeAll(fd, file, bytes) || ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 ||
      !syncFile(fd, file)) {
    restore(fd, old);
    return false;
  }
  return closeFile(fd, file);
}

bool appendInPlace(const std::filesystem::path& file, std::string_view bytes) {
  if (injected(FileStep::openInPlace, file)) return false;
  struct stat st {};
  FileDescriptor fd = openRegular(file, O_WRONLY | O_APPEND, &st);
  if (!fd) return false;
  const auto oldSize = static_cast<off_t>(st.st_size);
  if (!reserve(fd, file, static_cast<std::uintmax_t>(oldSize), bytes.size())) return false;
  if (!writeAll(fd, file, bytes) || !syncFile(fd, file)) {
    const int error = errno;
    [[maybe_unused]] const int ignored = ::ftruncate(fd.get(), oldSize);
    errno = error;
    return false;
  }
  return closeFile(fd, file);
}

}  // namespace kelmora
