#pragma once

#include <filesystem>
#include <stdexcept>

namespace kelmora::launcher {

// Something that keeps the game from starting. The message is for the player: Russian, UTF-8,
// a whole sentence that names the file or folder at fault.
class LaunchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Makes `folder` ready to play in: creates it (mode 0700) when it is missing and adds every
// game file (kGameFiles) it lacks, from `defaults` or empty. A file that is already there is never
// touched, so a folder of an older version keeps its players, records and log. The folder and the
// defaults are checked before the first change, so a LaunchError about either leaves the disk
// as it was; a file that fails to be written leaves no part of itself behind.
void prepareGameFolder(const std::filesystem::path& folder, const std::filesystem::path& defaults);

}  // namespace kelmora::launcher
