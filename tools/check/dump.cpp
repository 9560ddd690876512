// What the game will see: the tables its loaders fill, question by question.
#include <string>

#include "check/base_checker.h"
#include "check/check_support.h"
#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/text/cp1251.h"

namespace kelmora::check {

namespace {

void dumpTable(const QuestionTable& table, std::string& out) {
  for (int i = 0; i < table.questionCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    out += std::to_string(i) + ": " + toUtf8(table.questionTexts[index]) + "\n   ответы:";
    for (const auto& slot : table.answerVariants[index])
      out += " " + inQuotes(slot.view());
    out += "\n";
  }
}

// Dumps show only the tables; everything the game would tell the player is in the findings.
void ignore(const std::string&) {}

}  // namespace

std::string dumpMainBase(const std::filesystem::path& file, const std::string& shown) {
  const StagedBase staged(file, kMainBaseFile);
  QuestionBase base;
  loadMainBase(staged.dir(), base, ignore);
  std::string out = "== " + shown + ": основная база, " +
                    counted(base.questionCount, "вопрос", "вопроса", "вопросов") + " ==\n";
  dumpTable(base, out);
  return out;
}

std::string dumpTopicsBase(const std::filesystem::path& file, const std::string& shown) {
  const StagedBase staged(file, kTopicsFile);
  const TopicList list = loadTopicList(staged.dir(), ignore);
  std::string out = "== " + shown + ": база замен, " +
                    counted(static_cast<long long>(list.topics.size()), "тема", "темы", "тем") +
                    " ==\n";
  ReplacementBase base;
  for (std::size_t t = 0; t < list.topics.size(); ++t) {
    const Topic& topic = list.topics[t];
    loadTopicQuestions(list, static_cast<int>(t), base);
    out += "-- тема " + std::to_string(t) + ": " + inQuotes(topic.name) + " (строка " +
           std::to_string(topic.headerLine) + "), " +
           counted(base.questionCount, "вопрос", "вопроса", "вопросов") + " --\n";
    dumpTable(base, out);
  }
  return out;
}

}  // namespace kelmora::check
