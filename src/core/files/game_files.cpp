#include "core/files/game_files.h"

#include <algorithm>

#include "core/files/temporary_files.h"

namespace kelmora {

bool isFileTheGameWrites(std::string_view name) {
  if (std::any_of(kGameFiles.begin(), kGameFiles.end(),
                  [name](const GameFile& file) { return file.written && name == file.name; })) {
    return true;
  }
  constexpr std::string_view kSidePrefix = "log-", kSideSuffix = ".txt";
  if (!name.starts_with(kSidePrefix) || !name.ends_with(kSideSuffix)) return false;
  const auto number =
      name.substr(kSidePrefix.size(), name.size() - kSidePrefix.size() - kSideSuffix.size());
  return !number.empty() && number[0] != '0' &&
         std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::size_t removeStaleTemporaries(const std::filesystem::path& dir) {
  return removeStaleTemporaries(dir, isFileTheGameWrites);
}

}  // namespace kelmora
