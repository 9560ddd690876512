#pragma once

#include <string>
#include <vector>

namespace kelmora::import {

// The twins the checker expects beside a variant (Latin Roman numerals, apostrophes), from
// the game's own fair-key rules, so that the importer and the checker never disagree.
std::vector<std::string> fairTwinsOf(const std::string& variant);

}  // namespace kelmora::import
