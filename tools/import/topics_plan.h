#pragma once

// The questions a source gives, made into the game's topic blocks: each question's line as
// the game will split it, grouped by topic in the order the source has them, a topic too big
// for the game's replacement base split into numbered parts.

#include <string>
#include <vector>

#include "import/source.h"

namespace kelmora::import {

struct TopicBlock {
  std::string name;                // code page, as between "[" and "]"
  std::vector<std::string> lines;  // code page question lines, without line breaks
};

struct Remark {
  std::string position;
  std::string text;  // UTF-8
};

struct Plan {
  std::vector<TopicBlock> topics;
  std::vector<Skipped> skipped;
  std::vector<Remark> remarks;  // about questions taken: answer forms left out, "?" put in
  int taken = 0;
};

Plan makePlan(const Source& source);

// "Кино (часть 2)": part k (from 1) of a split topic; "Кино (2)": the k-th topic of a name
// the game folder already has.
std::string partName(const std::string& name, int k);
std::string renamed(const std::string& name, int k);

// The blocks as zamen.db holds them: code page, CR LF, each closed by "%".
std::string renderTopics(const std::vector<TopicBlock>& topics);

}  // namespace kelmora::import
