// Any bytes as zamen.db: the topic list must hold exactly the blocks the file has, and every
// topic must parse into the replacement base, one row per question line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bases/topics_base.h"
#include "core/files/text_file.h"
#include "fuzz_files.h"

using namespace kelmora;

namespace {

bool isHeader(std::string_view line) {
  return !line.empty() && line[0] == '[';
}

// Topic t as the file reads: its questions run to its "%", the next header or the end.
void checkTopic(const Topic& topic, const std::vector<std::string>& lines) {
  const auto header = static_cast<std::size_t>(topic.headerLine);
  FUZZ_CHECK(header >= 1 && header <= lines.size() && isHeader(lines[header - 1]));
  const std::string& h = lines[header - 1];
  FUZZ_CHECK(topic.name == (h.size() >= 2 ? h.substr(1, h.size() - 2) : std::string()));

  std::size_t q = 0;
  int beyond = 0;
  bool closed = false;
  for (std::size_t n = header; n < lines.size() && !isHeader(lines[n]); ++n) {
    if (lines[n] == "%") {
      closed = true;
      break;
    }
    if (lines[n].size() < 3) continue;
    if (q == static_cast<std::size_t>(ReplacementBase::kCapacity)) {
      ++beyond;
      continue;
    }
    FUZZ_CHECK(q < topic.questions.size());
    FUZZ_CHECK(topic.questions[q].lineNumber == static_cast<int>(n) + 1);
    FUZZ_CHECK(topic.questions[q].text == lines[n]);
    ++q;
  }
  FUZZ_CHECK(q == topic.questions.size());
  FUZZ_CHECK(beyond == topic.questionsBeyondCapacity);
  FUZZ_CHECK(closed == topic.closed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  const auto& dir = fuzz::freshDir();
  fuzz::writeFile(dir / kTopicsFile, bytes);

  int notes = 0;
  const TopicList list = loadTopicList(dir, [&](const std::string&) { ++notes; });

  std::vector<std::string> lines = splitLines(bytes);
  for (auto& line : lines)
    if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);

  int headers = 0;
  for (const auto& line : lines)
    headers += isHeader(line) ? 1 : 0;
  FUZZ_CHECK(static_cast<int>(list.topics.size()) == std::min(headers, kMaxTopics));
  FUZZ_CHECK(list.topicsBeyondLimit == headers - static_cast<int>(list.topics.size()));

  int expectedNotes = list.topicsBeyondLimit > 0 ? 1 : 0;
  for (const auto& topic : list.topics) {
    checkTopic(topic, lines);
    expectedNotes += topic.questionsBeyondCapacity > 0 ? 1 : 0;
  }
  FUZZ_CHECK(notes == expectedNotes);

  // One base for every topic in turn, as a run of games uses it; -1 and past the end load none.
  ReplacementBase base;
  const int count = static_cast<int>(list.topics.size());
  for (int t = -1; t <= count; ++t) {
    loadTopicQuestions(list, t, base);
    if (t < 0 || t == count) {
      FUZZ_CHECK(base.questionCount == 0);
      continue;
    }
    const auto& questions = list.topics[static_cast<std::size_t>(t)].questions;
    FUZZ_CHECK(base.questionCount == static_cast<int>(questions.size()));
    for (std::size_t i = 0; i < questions.size(); ++i) {
      const auto split = splitTopicLine(questions[i].text);
      FUZZ_CHECK(split.has_value());
      FUZZ_CHECK(base.questionTexts[i] == split->text);
      FUZZ_CHECK(base.answerVariants[i] == answerRow(splitAnswerPart(split->answerPart)));
    }
  }
  return 0;
}
