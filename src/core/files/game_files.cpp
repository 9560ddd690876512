#include "core/files/game_files.h"

#include <algorithm>

#include "core/files/atomic_file.h"
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
  std::size_t removed = removeStaleTemporaries(dir, isFileTheGameWrites);
  // A save through a link leaves its temporary beside the link's target, in another folder
  // perhaps: there only what is named after that target is the game's own.
  for (const GameFile& file : kGameFiles) {
    std::error_code ec;
    const auto path = dir / file.name;
    if (!file.written || !std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
      continue;
    const auto target = followLinks(path);
    if (!target) continue;
    const auto name = target->filename().string();
    removed += removeStaleTemporaries(target->parent_path(),
                                      [&name](std::string_view origin) { return origin == name; });
  }
  return removed;
}

}  // namespace kelmora
