#pragma once

// One copy of the game per folder: two copies would each rewrite the log, the accounts and the
// records from what they read at start, and the one that ends first would lose its lines.
//
// The lock is an flock on the folder itself: it needs no write permission (so an installed,
// read-only folder works), leaves no file behind, and the system drops it when the process
// ends in any way, so a crash never leaves a stale lock.

#include <filesystem>
#include <optional>
#include <string>

#include "core/files/file_io.h"

namespace kelmora {

class FolderLock {
 public:
  // Nothing when another copy of the game holds the folder. A folder that cannot be opened or
  // locked at all (a file system without locks) gives a lock that holds nothing: the game then
  // plays as it always did rather than refusing to start.
  static std::optional<FolderLock> tryAcquire(const std::filesystem::path& dir);

  bool held() const { return static_cast<bool>(fd_); }

 private:
  explicit FolderLock(FileDescriptor fd) : fd_(std::move(fd)) {}

  FileDescriptor fd_;
};

// What the player is told when the folder is taken, in the code page.
std::string alreadyRunningMessage(const std::filesystem::path& dir);

}  // namespace kelmora
