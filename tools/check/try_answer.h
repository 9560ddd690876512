#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "check/base_checker.h"

namespace kelmora::check {

struct TryRequest {
  std::filesystem::path file;  // a base in the code page, or its source in UTF-8
  std::string shown;
  std::optional<BaseKind> kind;  // by name or content when not given
  int line = 0;                  // of the question in the file, from 1
  std::string typed;             // UTF-8, as the player types it
};

// Shows the question and its slots as the game keeps them and whether the game takes the
// answer, and by which slot. Returns 0 when it does, 1 when it does not, 2 when the file
// cannot be read or holds no question on that line.
int tryAnswer(const TryRequest& request, std::ostream& out, std::ostream& err);

}  // namespace kelmora::check
