#include "core/files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/files/file_error.h"
#include "core/files/temporary_files.h"

namespace kelmora {

namespace {

constexpr int kMaxLinkDepth = 40;  // as the kernel's own limit on nested links

bool folderRefusesNewFiles(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

// The target with every symbolic link on its last component followed, so that the temporary
// file lands in the folder of the real file and the rename replaces that file, not the link.
// A dangling link is refused, as the launcher refuses it: a file is never created somewhere
// else on a link's word.
std::optional<std::filesystem::path> followLinks(std::filesystem::path file) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec))) {
      if (ec && ec != std::errc::no_such_file_or_directory) return std::nullopt;
      if (ec && depth > 0) return std::nullopt;
      return file;
    }
    auto next = std::filesystem::read_symlink(file, ec);
    if (ec) return std::nullopt;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return std::nullopt;
}

AtomicFile::Temporary::~Temporary() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

AtomicFile::AtomicFile(std::filesystem::path target, std::optional<unsigned> createMode)
    : target_(std::move(target)) {
  auto real = followLinks(target_);
  if (!real) fail();
  file_ = std::move(*real);

  struct stat old {};
  const bool exists = ::stat(file_.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) fail();
  if (exists && !S_ISREG(old.st_mode)) fail();
  // The rename would replace a file its owner made read-only, as long as the folder is
  // writable; honour the owner's wish instead. Root passes every access check, so a file
  // with no write bit for anyone is refused by its mode as well.
  if (exists &&
      ((old.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, file_.c_str(), W_OK, AT_EACCESS) != 0)) {
    fail();
  }

  if (!createTemporary(createMode.value_or(0666))) {
    // A folder that takes no new file (read-only, or not the player's) with a file in it that
    // the player may write: the file is rewritten where it lies, as the game always did. That
    // is less safe: a crash in the middle of the write leaves the file torn.
    if (exists && folderRefusesNewFiles(errno)) {
      inPlace_ = true;
      return;
    }
    fail();
  }
  if (exists) {
    if (!copyOwnerAndMode(fd_, temp_.path(), old.st_uid, old.st_gid, old.st_mode & 07777)) fail();
  } else if (createMode) {
    // Exactly these bits, whatever the umask.
    if (!setMode(fd_, temp_.path(), *createMode)) fail();
  }
}

bool AtomicFile::createTemporary(unsigned mode) {
  const auto folder = file_.parent_path();
  const auto name = file_.filename().string();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto path = folder / temporaryName(name, ::getpid(), attempt);
    fd_ = createExclusive(path, mode);
    if (fd_) {
      temp_.set(std::move(path));
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

void AtomicFile::fail() const {
  throw FileError::cannotCreate(target_.filename().string());
}

void AtomicFile::write(std::string_view bytes) {
  if (inPlace_) {
    pending_.append(bytes);
  } else if (!writeAll(fd_, temp_.path(), bytes)) {
    fail();
  }
}

void AtomicFile::commit() {
  if (inPlace_) {
    if (!rewriteInPlace(file_, pending_)) fail();
    return;
  }
  if (!syncFile(fd_, temp_.path())) fail();
  if (!closeFile(fd_, temp_.path())) fail();
  if (!renameFile(temp_.path(), file_)) fail();
  temp_.keep();
  // The new content is in place; an error from the disk here still means it may not survive a
  // power cut, and the player should hear of it.
  if (!syncDirectoryOf(file_)) fail();
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::optional<unsigned> createMode) {
  AtomicFile file(target, createMode);
  file.write(bytes);
  file.commit();
}

}  // namespace kelmora
