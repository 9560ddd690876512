#pragma once

// The files of a game folder. The game, the launcher that prepares a player's folder and the
// start-up sweep all go by this one list, so a file added here is known to all of them.

#include <array>
#include <cstddef>
#include <filesystem>
#include <string_view>

namespace kelmora {

inline constexpr const char* kMainBaseFile = "kelmora.db";
inline constexpr const char* kTopicsFile = "zamen.db";
inline constexpr const char* kRecordsFile = "res.res";
inline constexpr const char* kHelpFile = "help.txt";
inline constexpr const char* kLogFile = "log.txt";
inline constexpr const char* kAccountsFile = "account.ini";
// account.ini holds passwords: only its owner reads it.
inline constexpr unsigned kAccountsFileMode = 0600;

struct GameFile {
  const char* name;
  bool shipped = false;  // a new folder gets the installed copy; otherwise it starts empty
  bool written = false;  // the game rewrites it while it plays
  unsigned mode = 0644;  // the permission bits a new folder gives it
};

// In the order a new folder is filled: the content first.
inline constexpr std::array<GameFile, 6> kGameFiles = {{
    {.name = kMainBaseFile, .shipped = true},
    {.name = kTopicsFile, .shipped = true},
    {.name = kRecordsFile, .shipped = true, .written = true},
    {.name = kHelpFile, .shipped = true},
    {.name = kLogFile, .written = true},
    {.name = kAccountsFile, .written = true, .mode = kAccountsFileMode},
}};

// Whether the game itself writes a file of this name: account.ini, res.res, log.txt and the
// log-N.txt a run writes beside a log it could not read.
bool isFileTheGameWrites(std::string_view name);

// Removes the temporary files that a copy of the game killed in the middle of a save left
// behind, and nothing else. Call it only while holding the folder lock, so that no running
// copy's temporary file is taken for a leftover. Returns how many were removed.
std::size_t removeStaleTemporaries(const std::filesystem::path& dir);

}  // namespace kelmora
