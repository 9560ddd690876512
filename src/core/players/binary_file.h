#pragma once

// Reading the fixed-record files. Their failures use the texts the player knows from these
// files: "File not found", "Read beyond end of file".

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace kelmora {

// Up to maxBytes from the start of the file; fileSize, if given, receives the whole file's size.
// Throws FileError "File not found" for a missing file and "Cannot open file <name>" for one
// that cannot be read or is not a regular file.
std::vector<std::uint8_t> readFilePrefix(const std::filesystem::path& file, std::size_t maxBytes,
                                         std::uintmax_t* fileSize = nullptr);

inline std::int32_t readInt32LE(const std::uint8_t* p) {
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                   std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24);
}

inline void writeInt32LE(std::uint8_t* p, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace kelmora
