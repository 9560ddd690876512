#include "import/topics_plan.h"

#include <algorithm>
#include <map>

#include "core/bases/topics_base.h"
#include "core/text/cp1251.h"
#include "import/variants.h"

namespace kelmora::import {

namespace {

constexpr std::string_view kPart = " (часть "_cp;

std::string lineOf(const std::string& text, const std::vector<std::string>& variants) {
  std::string line = text + "\\";
  for (std::size_t i = 0; i < variants.size(); ++i) {
    if (i > 0) line += ' ';
    line += variants[i];
  }
  return line + "/";
}

std::string joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const auto& p : parts)
    out += (out.empty() ? "" : "; ") + p;
  return out;
}

}  // namespace

std::string partName(const std::string& name, int k) {
  return name + std::string(kPart) + std::to_string(k) + ")";
}

std::string renamed(const std::string& name, int k) {
  return name + " (" + std::to_string(k) + ")";
}

Plan makePlan(const Source& source) {
  Plan plan;
  plan.skipped = source.skipped;
  std::vector<TopicBlock> grouped;
  std::map<std::string, std::size_t> index;
  for (const auto& q : source.questions) {
    const auto text = questionText(q.text);
    if (!text) {
      plan.skipped.push_back({q.position, "нет текста вопроса"});
      continue;
    }
    if (text->text.size() > kMaxQuestionLength) {
      plan.skipped.push_back({q.position, "вопрос длиннее " + std::to_string(kMaxQuestionLength) +
                                              " символов: игра обрежет строку"});
      continue;
    }
    const Derived derived = deriveVariants(text->text, q.answers);
    if (derived.variants.empty()) {
      plan.skipped.push_back(
          {q.position, derived.dropped.empty()
                           ? std::string("нет ответа, который игрок мог бы набрать")
                           : "ни один ответ не подходит игре: " + joined(derived.dropped)});
      continue;
    }
    for (const auto& d : derived.dropped)
      plan.remarks.push_back({q.position, "ответ не взят: " + d});
    if (!text->replaced.empty())
      plan.remarks.push_back({q.position,
                              "в тексте вопроса заменены на «?» символы, которых "
                              "нет в кодировке игры: " +
                                  text->replaced});
    const std::string name = topicName(q.topic);
    auto [it, added] = index.try_emplace(name, grouped.size());
    if (added) grouped.push_back({name, {}});
    grouped[it->second].lines.push_back(lineOf(text->text, derived.variants));
    ++plan.taken;
  }

  // Parts of even size: 102 questions make two parts of 51, not one of 101 and one of 1.
  const auto capacity = static_cast<std::size_t>(ReplacementBase::kCapacity);
  for (auto& topic : grouped) {
    const std::size_t n = topic.lines.size();
    if (n <= capacity) {
      plan.topics.push_back(std::move(topic));
      continue;
    }
    const std::size_t parts = (n + capacity - 1) / capacity;
    std::size_t from = 0;
    for (std::size_t k = 0; k < parts; ++k) {
      const std::size_t size = n / parts + (k < n % parts ? 1 : 0);
      TopicBlock part{partName(topic.name, static_cast<int>(k + 1)), {}};
      part.lines.assign(topic.lines.begin() + static_cast<std::ptrdiff_t>(from),
                        topic.lines.begin() + static_cast<std::ptrdiff_t>(from + size));
      plan.topics.push_back(std::move(part));
      from += size;
    }
  }
  return plan;
}

std::string renderTopics(const std::vector<TopicBlock>& topics) {
  std::string out;
  for (const auto& topic : topics) {
    out += "[" + topic.name + "]\r\n";
    for (const auto& line : topic.lines)
      out += line + "\r\n";
    out += "%\r\n";
  }
  return out;
}

}  // namespace kelmora::import
