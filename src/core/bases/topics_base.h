#pragma once

// The replacement topics base, zamen.db: blocks of question lines, each opened by a "[name]"
// header and closed by a "%" line. The file is read once per run; the chosen topic is parsed
// into the ReplacementBase at the start of every game.

#include <filesystem>
#include <string>
#include <vector>

#include "core/bases/main_base.h"
#include "core/bases/question_table.h"
#include "core/files/game_files.h"

namespace kelmora {

struct ReplacementBase : QuestionTable {
  static constexpr int kCapacity = 101;
  ReplacementBase() : QuestionTable(kCapacity) {}
};

// More topics than this make the topic selector unusable; it also bounds the memory a
// corrupt file can take.
inline constexpr int kMaxTopics = 1000;

struct TopicLine {
  int lineNumber = 0;  // in the file, from 1
  std::string text;
};

struct Topic {
  std::string name;
  int headerLine = 0;                // from 1
  std::vector<TopicLine> questions;  // at most the ReplacementBase capacity
  int questionsBeyondCapacity = 0;
  bool closed = false;  // ended by a "%" line rather than the next header or the file's end
};

struct TopicList {
  std::vector<Topic> topics;
  int topicsBeyondLimit = 0;
  std::vector<std::string> names() const;
};

// Reads dir/zamen.db. A topic's questions end at its "%" line or, when that is missing, at
// the next header or the end of the file, so one forgotten "%" never pulls another topic's
// questions in. Lines shorter than three characters are not questions. Topics past the
// capacities are cut and the player is told once per cut.
// Throws FileError "Cannot open file zamen.db".
TopicList loadTopicList(const std::filesystem::path& dir, const Notify& notify);

// Parses topic t into base. Rows past the new questionCount keep what an earlier topic left
// there; they are never drawn. A topic index outside the list loads no question.
void loadTopicQuestions(const TopicList& list, int t, ReplacementBase& base);

}  // namespace kelmora
