#pragma once

// One copy of the game per folder: two copies would each rewrite the log, the accounts and the
// records from what they read at start, and the one that ends first would lose its lines.
//
// The lock is an flock on the folder itself: it needs no write permission (so an installed,
// read-only folder works), leaves no file behind, and the system drops it when the process
// ends in any way, so a crash never leaves a stale lock. A folder the player may write into
// but not list cannot be opened for that; there the lock is an flock on a lock file in it.

#include <filesystem>
#include <optional>
#include <string>

#include "core/files/file_io.h"

namespace kelmora {

class FolderLock {
 public:
  // Nothing when another copy of the game holds the folder. A folder that can be locked
  // neither way gives a lock that holds nothing: the game must not start there, since it could
  // not tell whether another copy plays in it.
  static std::optional<FolderLock> tryAcquire(const std::filesystem::path& dir);

  bool held() const { return static_cast<bool>(fd_); }

 private:
  explicit FolderLock(FileDescriptor fd) : fd_(std::move(fd)) {}

  FileDescriptor fd_;
};

// What the player is told when the folder is taken, or cannot be locked, in the code page.
std::string alreadyRunningMessage(const std::filesystem::path& dir);
std::string cannotLockMessage(const std::filesystem::path& dir);

// The lock file of a folder that cannot be listed.
inline constexpr const char* kLockFile = ".kelmora.lock";

}  // namespace kelmora
