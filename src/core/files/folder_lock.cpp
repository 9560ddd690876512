#include "core/files/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "core/text/cp1251.h"

namespace kelmora {

std::optional<FolderLock> FolderLock::tryAcquire(const std::filesystem::path& dir) {
  // Close-on-exec: a browser started from the about box must not inherit the lock and keep
  // the folder taken after the game has ended.
  const auto folder = dir.empty() ? std::filesystem::path(".") : dir;
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd && errno == EACCES) {
    fd = FileDescriptor(::open((folder / kLockFile).c_str(),
                               O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
  }
  if (!fd) return FolderLock(FileDescriptor());
  for (;;) {
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) return FolderLock(std::move(fd));
    if (errno == EWOULDBLOCK) return std::nullopt;
    if (errno != EINTR) return FolderLock(FileDescriptor());
  }
}

std::string cannotLockMessage(const std::filesystem::path& dir) {
  return std::string("Кельмора не может запуститься в папке "_cp) + toCp1251(dir.string()) +
         std::string(
             ": папку нельзя ни открыть, ни создать в ней файл, поэтому не понять, не "
             "играет ли в ней другая копия игры. Проверьте права на папку и запустите "
             "игру снова."_cp);
}

std::string alreadyRunningMessage(const std::filesystem::path& dir) {
  // Folder names on the disk are UTF-8; what the code page cannot hold shows as "?".
  return std::string("Кельмора уже запущена в папке "_cp) + toCp1251(dir.string()) +
         std::string(". Закройте другую копию игры и запустите игру снова."_cp);
}

}  // namespace kelmora
