// zamen.db: "[name]" headers, question lines, "%" closing each topic.
#include <unordered_map>

#include "check/check_support.h"
#include "core/bases/topics_base.h"
#include "core/files/file_error.h"
#include "core/text/cp1251.h"

namespace kelmora::check {

namespace {

// A game can take this many replacement questions from its topic.
constexpr int kReplacementsPerGame = 3;
// Shorter lines inside a topic are skipped by the game.
constexpr std::size_t kShortestQuestion = 3;

bool blank(std::string_view s) {
  return s.find_first_not_of(" \t") == std::string_view::npos;
}

void checkHeader(std::string_view line, int number, Report& report) {
  const std::string name = line.size() >= 2 ? std::string(line.substr(1, line.size() - 2)) : "";
  if (line.size() < 2 || line.back() != ']') {
    report.error(number,
                 "заголовок темы не закрыт «]»: игра отбрасывает последний символ и "
                 "покажет тему как " +
                     inQuotes(name));
  } else if (blank(name)) {
    report.error(number, "пустое название темы");
  }
}

void checkTopicLine(std::string_view line, const QuestionPlace& place, RepeatIndex& repeats,
                    Report& report) {
  const int number = place.line;
  const auto split = splitTopicLine(line);
  if (!split) return;
  if (line[split->text.size()] != '\\') {
    report.error(number,
                 "нет «\\» между вопросом и ответами (или он ближе трёх символов к "
                 "концу строки): игра разрежет строку сама и покажет вопрос " +
                     inQuotes(split->text) + " с ответами " + inQuotes(split->answerPart));
    return;
  }
  checkQuestion(split->text, split->answerPart, number, report);
  repeats.add(split->text, storedVariants(split->answerPart), place);
}

// Walks the lines the way loadTopicList does, for what the list it returns does not show:
// the lines the game skips or never reads.
void checkLines(const RawFile& raw, const std::string& shown, RepeatIndex& repeats,
                Report& report) {
  enum class Where { kOutside, kInTopic, kIgnoredTopic };
  Where where = Where::kOutside;
  int topics = 0;
  int questionsInTopic = 0;
  std::string topic;
  std::unordered_map<std::string, int> headerOf;
  for (std::size_t i = 0; i < raw.lines.size(); ++i) {
    const std::string_view line = raw.lines[i];
    const int number = static_cast<int>(i) + 1;
    if (raw.cut[i]) {
      report.error(number, "строка длиннее " + std::to_string(kMaxLineLength) +
                               " символов: игра читает только первые " +
                               std::to_string(kMaxLineLength));
    }
    if (!line.empty() && line[0] == '[') {
      if (++topics > kMaxTopics) {
        if (topics == kMaxTopics + 1) {
          report.error(number, "тем больше " + std::to_string(kMaxTopics) +
                                   ": игра показывает только первые " + std::to_string(kMaxTopics) +
                                   " и при каждом запуске сообщает об этом игроку (темы "
                                   "дальше не проверялись)");
        }
        where = Where::kIgnoredTopic;
        continue;
      }
      checkHeader(line, number, report);
      topic = line.size() >= 2 ? std::string(line.substr(1, line.size() - 2)) : "";
      const auto [it, inserted] = headerOf.try_emplace(topic, number);
      if (!inserted && !blank(topic)) {
        report.warning(number, "тема " + inQuotes(topic) + " уже есть в строке " +
                                   std::to_string(it->second) +
                                   ": в списке тем будут две с одним названием");
      }
      where = Where::kInTopic;
      questionsInTopic = 0;
    } else if (where == Where::kIgnoredTopic) {
      continue;
    } else if (where == Where::kOutside) {
      if (!blank(line)) {
        report.warning(number,
                       "строка вне темы (до первого заголовка или между «%» и "
                       "следующим заголовком): игра её не читает");
      }
    } else if (line == "%") {
      where = Where::kOutside;
    } else if (line.size() < kShortestQuestion) {
      std::string message = line.empty() ? "пустая строка внутри темы: игра её пропускает"
                                         : "строка короче трёх символов внутри темы: игра её "
                                           "пропускает";
      if (!blank(line) && line.find_first_not_of(" \t%") == std::string_view::npos) {
        message += "; тему закрывает строка из одного «%» без пробелов";
      }
      report.warning(number, message);
    } else if (++questionsInTopic <= ReplacementBase::kCapacity) {
      checkTopicLine(line, {shown, number, topic}, repeats, report);
    }
  }
}

void checkTopics(const TopicList& list, const std::vector<std::string>& messages, Report& report) {
  std::size_t message = 0;
  // The loader tells the player about each over-full topic in order, then about the count.
  auto gameSays = [&]() -> std::string {
    return message < messages.size() ? " (игра сообщит: " + inQuotes(messages[message++]) + ")"
                                     : "";
  };
  for (const auto& topic : list.topics) {
    const int line = topic.headerLine;
    if (!topic.closed) {
      report.error(line, "тема " + inQuotes(topic.name) + " не закрыта строкой «%»");
    }
    const auto count = static_cast<long long>(topic.questions.size());
    if (topic.questionsBeyondCapacity > 0) {
      report.error(
          line,
          "в теме " + inQuotes(topic.name) + " " +
              counted(count + topic.questionsBeyondCapacity, "вопрос", "вопроса", "вопросов") +
              ", а игра берёт только первые " + std::to_string(ReplacementBase::kCapacity) +
              " и при каждом запуске сообщает об этом игроку" + gameSays());
    } else if (count == 0) {
      report.error(line, "в теме " + inQuotes(topic.name) +
                             " нет ни одного вопроса: замена "
                             "вопроса в ней не работает");
    } else if (count < kReplacementsPerGame) {
      report.warning(line, "в теме " + inQuotes(topic.name) + " " +
                               counted(count, "вопрос", "вопроса", "вопросов") +
                               ", а за игру можно взять " + std::to_string(kReplacementsPerGame) +
                               " замены: вопросы будут повторяться");
    }
  }
  if (list.topicsBeyondLimit > 0) gameSays();
  for (; message < messages.size(); ++message)
    report.error(0, "игра сообщит: " + inQuotes(messages[message]));
  if (list.topics.empty() && list.topicsBeyondLimit == 0) {
    report.warning(0, "в файле нет ни одной темы (строки «[название]»)");
  }
}

}  // namespace

std::vector<Finding> checkTopicsBase(const std::filesystem::path& file, const std::string& shown) {
  RepeatIndex repeats;
  auto findings = checkTopicsBase(file, shown, repeats);
  withRepeats(findings, repeats.repeats());
  return findings;
}

std::vector<Finding> checkTopicsBase(const std::filesystem::path& file, const std::string& shown,
                                     RepeatIndex& repeats) {
  Report report(shown);
  const auto raw = readRaw(file, report);
  if (!raw) return report.take();
  if (const int line = utf8Line(raw->lines); line > 0) {
    report.error(line,
                 "файл сохранён в UTF-8, а игра читает Windows-1251: названия тем и вопросы "
                 "будут показаны нечитаемыми (перекодируйте файл; остальные проверки файла "
                 "пропущены)");
    return report.take();
  }
  std::vector<std::string> messages;
  TopicList list;
  try {
    const StagedBase staged(file, kTopicsFile);
    list = loadTopicList(staged.dir(),
                         [&messages](const std::string& message) { messages.push_back(message); });
  } catch (const FileError&) {
    report.error(0, "не удаётся прочитать файл: игра его тоже не откроет");
    return report.take();
  }
  checkLines(*raw, shown, repeats, report);
  checkTopics(list, messages, report);
  return report.take();
}

}  // namespace kelmora::check
