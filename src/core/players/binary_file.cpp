#include "core/players/binary_file.h"

#include <cerrno>

#include "core/files/file_error.h"
#include "core/files/file_io.h"

namespace kelmora {

std::vector<std::uint8_t> readFilePrefix(const std::filesystem::path& file, std::size_t maxBytes,
                                         std::uintmax_t* fileSize) {
  InputFile in(file);
  if (!in.isOpen()) {
    if (in.error() == ENOENT) throw FileError::notFound();
    throw FileError::cannotOpen(file.filename().string());
  }
  if (fileSize != nullptr) *fileSize = in.size();
  std::vector<std::uint8_t> bytes(maxBytes);
  std::size_t got = 0;
  while (got < maxBytes) {
    const auto n = in.read(reinterpret_cast<char*>(bytes.data()) + got, maxBytes - got);
    if (n < 0) throw FileError::cannotOpen(file.filename().string());
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace kelmora
