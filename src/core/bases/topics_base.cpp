#include "core/bases/topics_base.h"

#include "core/files/text_file.h"
#include "core/text/cp1251.h"

namespace kelmora {

namespace {

std::string topicOverflowMessage(const Topic& topic) {
  return std::string("В теме ["_cp) + topic.name +
         std::string(
             "] базы замен [zamen.db] больше 101 вопроса: в игре будут только первые 101 (всего вопросов: "_cp) +
         std::to_string(static_cast<long long>(topic.questions.size()) +
                        topic.questionsBeyondCapacity) +
         ").";
}

std::string topicsLimitMessage() {
  return std::string(
      "В базе замен [zamen.db] больше 1000 тем: в списке будут только первые 1000."_cp);
}

}  // namespace

std::vector<std::string> TopicList::names() const {
  std::vector<std::string> out;
  out.reserve(topics.size());
  for (const auto& topic : topics)
    out.push_back(topic.name);
  return out;
}

TopicList loadTopicList(const std::filesystem::path& dir, const Notify& notify) {
  LineReader reader(dir / kTopicsFile, kMaxLineLength);
  TopicList list;
  Topic* open = nullptr;  // the topic whose questions are being read
  std::string line;
  int number = 0;
  while (reader.next(line)) {
    ++number;
    if (!line.empty() && line[0] == '[') {
      open = nullptr;
      if (static_cast<int>(list.topics.size()) == kMaxTopics) {
        ++list.topicsBeyondLimit;
        continue;
      }
      Topic topic;
      if (line.size() >= 2) topic.name = line.substr(1, line.size() - 2);
      topic.headerLine = number;
      list.topics.push_back(std::move(topic));
      open = &list.topics.back();
    } else if (open == nullptr) {
      continue;
    } else if (line == "%") {
      open->closed = true;
      open = nullptr;
    } else if (line.size() >= 3) {
      if (static_cast<int>(open->questions.size()) < ReplacementBase::kCapacity) {
        open->questions.push_back({number, line});
      } else {
        ++open->questionsBeyondCapacity;
      }
    }
  }
  for (const auto& topic : list.topics) {
    if (topic.questionsBeyondCapacity > 0) notify(topicOverflowMessage(topic));
  }
  if (list.topicsBeyondLimit > 0) notify(topicsLimitMessage());
  return list;
}

void loadTopicQuestions(const TopicList& list, int t, ReplacementBase& base) {
  base.questionCount = 0;
  if (t < 0 || t >= static_cast<int>(list.topics.size())) return;
  int n = 0;
  for (const auto& question : list.topics[static_cast<std::size_t>(t)].questions) {
    const auto split = splitTopicLine(question.text);
    if (!split) continue;
    const auto row = static_cast<std::size_t>(n++);
    base.questionTexts[row] = std::string(split->text);
    base.answerVariants[row] = answerRow(splitAnswerPart(split->answerPart));
  }
  base.questionCount = n;
}

}  // namespace kelmora
