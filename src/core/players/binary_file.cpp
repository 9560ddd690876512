#include "core/players/binary_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "core/text/file_error.h"

namespace kelmora {

std::vector<std::uint8_t> readFilePrefix(const std::filesystem::path& file, std::size_t maxBytes) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> in(std::fopen(file.c_str(), "rb"));
  if (!in) {
    if (errno == ENOENT) throw FileError::notFound();
    throw FileError::cannotOpen(file.filename().string());
  }
  std::vector<std::uint8_t> bytes(maxBytes);
  const std::size_t n = std::fread(bytes.data(), 1, maxBytes, in.get());
  if (n < maxBytes && std::ferror(in.get())) throw FileError::cannotOpen(file.filename().string());
  bytes.resize(n);
  return bytes;
}

}  // namespace kelmora
