#pragma once

// The temporary files of a whole-file replacement are named "<file>.tmp<PID>-<n>", so that a
// later run can tell its own leftovers (from a crash or a power cut) from anything else.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

std::string temporaryName(std::string_view file, long pid, int n);

struct TemporaryOrigin {
  std::string file;  // the name of the file the temporary was to replace
  long pid = 0;      // the process that made it
};

// Only a name of exactly that form: digits without leading zeros, nothing before or after.
std::optional<TemporaryOrigin> parseTemporaryName(std::string_view name);

// Removes from dir the regular files named as temporaries of a file that isOwnFile accepts and
// made by a process that no longer exists; touches nothing else. Returns how many went.
std::size_t removeStaleTemporaries(const std::filesystem::path& dir,
                                   const std::function<bool(std::string_view file)>& isOwnFile);

}  // namespace kelmora
