#include "core/files/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "core/text/cp1251.h"

namespace kelmora {

std::optional<FolderLock> FolderLock::tryAcquire(const std::filesystem::path& dir) {
  // Close-on-exec: a browser started from the about box must not inherit the lock and keep
  // the folder taken after the game has ended.
  FileDescriptor fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd) return FolderLock(FileDescriptor());
  for (;;) {
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) return FolderLock(std::move(fd));
    if (errno == EWOULDBLOCK) return std::nullopt;
    if (errno != EINTR) return FolderLock(FileDescriptor());
  }
}

std::string alreadyRunningMessage(const std::filesystem::path& dir) {
  // Folder names on the disk are UTF-8; what the code page cannot hold shows as "?".
  return std::string("Кельмора уже запущена в папке "_cp) + toCp1251(dir.string()) +
         std::string(". Закройте другую копию игры и запустите игру снова."_cp);
}

}  // namespace kelmora
