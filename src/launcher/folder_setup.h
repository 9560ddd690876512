#pragma once

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace kelmora::launcher {

// Something that keeps the game from starting. The message is for the player: Russian, UTF-8,
// a whole sentence that names the file or folder at fault.
class LaunchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The content the game comes with; a game folder that lacks one of them gets a copy.
inline constexpr std::array<std::string_view, 4> kShippedFiles = {"kelmora.db", "zamen.db",
                                                                  "res.res", "help.txt"};

// Files the game creates itself, but only after greeting a new player with an error box when
// they are missing; the folder starts with them empty. account.ini holds passwords.
struct StartedEmpty {
  std::string_view name;
  unsigned mode;
};
inline constexpr std::array<StartedEmpty, 2> kStartedEmpty = {StartedEmpty{"log.txt", 0644},
                                                              StartedEmpty{"account.ini", 0600}};

// Makes `folder` ready to play in: creates it (mode 0700) when it is missing and adds every
// file it lacks, from `defaults` or empty. A file that is already there is never touched, so
// a folder of an older version keeps its players, records and log. The folder and the
// defaults are checked before the first change, so a LaunchError about either leaves the disk
// as it was; a file that fails to be written leaves no part of itself behind.
void prepareGameFolder(const std::filesystem::path& folder, const std::filesystem::path& defaults);

}  // namespace kelmora::launcher
