#pragma once

// Adding topics to a game folder's zamen.db. The existing file is kept to the byte and the
// new topics are appended after it; the whole file is then written the way the game writes
// its own (a temporary file renamed over the old one), while holding the folder lock, so a
// copy of the game never starts on a half-written file and never runs while it is replaced.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "import/topics_plan.h"

namespace kelmora::import {

struct FolderChange {
  std::string before;    // zamen.db as it was (empty when there was none)
  std::string after;     // what it becomes
  int firstNewLine = 1;  // the line of the first added header
  std::vector<std::pair<std::string, std::string>> renames;  // code page: from, to
};

// Works out the change and, unless dryRun, writes it. A topic whose name is in the file
// already is renamed "Название (2)" with rename, and otherwise the whole import is refused.
// Throws ImportError, having written nothing, for a folder that is not a game's, is in use,
// cannot be locked or read, or would exceed the game's number of topics.
FolderChange addToFolder(const std::filesystem::path& dir, std::vector<TopicBlock> topics,
                         bool rename, bool dryRun);

}  // namespace kelmora::import
