#pragma once

// What every importer reader must hand on, whatever bytes it was given: topic blocks the game
// reads back exactly as planned, each question line split where the importer meant, every
// variant one a typed answer can reach, and every source question either taken or skipped.

#include <algorithm>
#include <set>

#include "core/bases/question_table.h"
#include "core/bases/topics_base.h"
#include "core/text/answer_match.h"
#include "fuzz_files.h"
#include "import/topics_plan.h"

namespace kelmora::fuzz {

inline void checkPlan(const import::Source& source) {
  const import::Plan plan = import::makePlan(source);
  std::size_t lines = 0;
  for (const auto& topic : plan.topics) {
    FUZZ_CHECK(!topic.name.empty());
    FUZZ_CHECK(topic.name.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(!topic.lines.empty());
    FUZZ_CHECK(topic.lines.size() <= static_cast<std::size_t>(ReplacementBase::kCapacity));
    for (const auto& line : topic.lines) {
      FUZZ_CHECK(line.size() <= kMaxLineLength);
      FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
      FUZZ_CHECK(line[0] != '[' && line != "%");
      const auto split = splitTopicLine(line);
      FUZZ_CHECK(split.has_value());
      FUZZ_CHECK(split->text.find('\\') == std::string_view::npos);
      const AnswerPart part = splitAnswerPart(split->answerPart);
      FUZZ_CHECK(part.closed);
      FUZZ_CHECK(!part.variants.empty() && part.variants.size() <= kAnswerSlots);
      std::set<std::string_view> seen;
      for (const auto v : part.variants) {
        FUZZ_CHECK(!v.empty() && v.size() <= AnswerVariant::kCapacity);
        FUZZ_CHECK(normalizeAnswer(v) == v);
        FUZZ_CHECK(seen.insert(v).second);
      }
    }
    lines += topic.lines.size();
  }
  FUZZ_CHECK(lines == static_cast<std::size_t>(plan.taken));
  FUZZ_CHECK(plan.taken + plan.skipped.size() == source.questions.size() + source.skipped.size());
}

}  // namespace kelmora::fuzz
