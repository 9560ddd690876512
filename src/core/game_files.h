#pragma once

// The game's folder as a whole: what the program does with it once at start-up, after it has
// taken the folder lock and before it reads anything.

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace kelmora {

// Whether the game itself writes a file of this name: account.ini, res.res, log.txt and the
// log-N.txt a run writes beside a log it could not read.
bool isFileTheGameWrites(std::string_view name);

// Removes the temporary files that a copy of the game killed in the middle of a save left
// behind, and nothing else. Call it only while holding the folder lock, so that no running
// copy's temporary file is taken for a leftover. Returns how many were removed.
std::size_t removeStaleTemporaries(const std::filesystem::path& dir);

}  // namespace kelmora
