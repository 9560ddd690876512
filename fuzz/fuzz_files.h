#pragma once

// What every fuzz target shares: one scratch directory per process, emptied before each input
// so that no input sees the files of the one before, and removed when the run ends.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace kelmora::fuzz {

// Bigger inputs find nothing new in these formats and only slow every run down.
inline constexpr std::size_t kMaxFileBytes = 1 << 20;

// Fails the run the way libFuzzer records a crash: a message and abort().
#define FUZZ_CHECK(cond)                                                            \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (false)

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelmora-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("kelmora fuzz: cannot create a scratch directory");
      std::abort();
    }
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The directory, emptied.
  const std::filesystem::path& fresh() const {
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      std::filesystem::remove_all(entry.path());
    return path_;
  }

 private:
  std::filesystem::path path_;
};

// The scratch directory of this process, empty.
inline const std::filesystem::path& freshDir() {
  static const ScratchDir dir;
  return dir.fresh();
}

// The input as the bytes of a file, capped at kMaxFileBytes.
inline std::string_view fileBytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size < kMaxFileBytes ? size : kMaxFileBytes};
}

inline void writeFile(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FUZZ_CHECK(out.good());
}

inline std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  FUZZ_CHECK(in.good());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kelmora::fuzz
