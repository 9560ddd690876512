// kelmora.db: one question per line, read once at start-up.
#include <set>
#include <unordered_map>

#include "check/check_support.h"
#include "core/bases/main_base.h"
#include "core/files/file_error.h"
#include "core/text/cp1251.h"

namespace kelmora::check {

namespace {

// A game cycle draws up to this many main questions before any may repeat.
constexpr int kQuestionsPerCycle = 25;

// Why splitMainLine refuses a line, in the author's terms.
std::string whyErroneous(std::string_view line) {
  if (line.empty()) return "пустая строка";
  const auto p = line.find('\\', 1);
  if (p != std::string_view::npos) return "после «\\» меньше трёх символов";
  if (line[0] == '\\') return "строка начинается с «\\»: перед ним нет текста вопроса";
  return "нет «\\» между вопросом и ответами";
}

void checkLoadedLines(const RawFile& raw, const std::set<int>& erroneous, int loaded,
                      const std::string& shown, RepeatIndex& repeats, Report& report) {
  for (int i = 0; i < loaded; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const int number = i + 1;
    if (raw.cut[index]) {
      report.error(number, "строка длиннее " + std::to_string(kMaxLineLength) +
                               " символов: игра читает только первые " +
                               std::to_string(kMaxLineLength));
    }
    if (erroneous.contains(number)) continue;
    const auto split = splitMainLine(raw.lines[index]);
    if (!split) continue;  // the game reported it; already listed
    checkQuestion(split->text, split->answerPart, number, report);
    repeats.add(split->text, storedVariants(split->answerPart), {shown, number, {}});
  }
}

}  // namespace

std::vector<Finding> checkMainBase(const std::filesystem::path& file, const std::string& shown) {
  RepeatIndex repeats;
  auto findings = checkMainBase(file, shown, repeats);
  withRepeats(findings, repeats.repeats());
  return findings;
}

std::vector<Finding> checkMainBase(const std::filesystem::path& file, const std::string& shown,
                                   RepeatIndex& repeats) {
  Report report(shown);
  const auto raw = readRaw(file, report);
  if (!raw) return report.take();
  if (const int line = utf8Line(raw->lines); line > 0) {
    report.error(line,
                 "файл сохранён в UTF-8, а игра читает Windows-1251: все вопросы будут показаны "
                 "нечитаемыми (перекодируйте файл; остальные проверки файла пропущены)");
    return report.take();
  }

  QuestionBase base;
  std::vector<std::string> messages;
  try {
    const StagedBase staged(file, kMainBaseFile);
    loadMainBase(staged.dir(), base,
                 [&messages](const std::string& message) { messages.push_back(message); });
  } catch (const FileError&) {
    report.error(0, "не удаётся прочитать файл: игра его тоже не откроет");
    return report.take();
  }

  std::unordered_map<std::string, int> lineOf;
  for (int k = 1; k <= base.questionCount; ++k)
    lineOf.emplace(erroneousLineMessage(k), k);
  const auto lines = static_cast<long long>(raw->lines.size());
  std::set<int> erroneous;
  for (const auto& message : messages) {
    if (const auto it = lineOf.find(message); it != lineOf.end()) {
      erroneous.insert(it->second);
      report.error(it->second,
                   "игра сообщит об ошибке в этой строке: " +
                       whyErroneous(raw->lines[static_cast<std::size_t>(it->second - 1)]));
    } else if (message == mainBaseOverflowMessage(lines)) {
      report.error(base.capacity() + 1,
                   "в файле " + counted(lines, "строка", "строки", "строк") +
                       ", а игра загружает только первые " + std::to_string(base.capacity()) +
                       ": остальные не попадут в игру, и при каждом запуске игрок увидит "
                       "сообщение об этом (строки после " +
                       std::to_string(base.capacity()) + "-й не проверялись)");
    } else {
      report.error(0, "игра сообщит: " + inQuotes(message));
    }
  }

  checkLoadedLines(*raw, erroneous, base.questionCount, shown, repeats, report);

  const long long usable = base.questionCount - static_cast<long long>(erroneous.size());
  if (usable < kQuestionsPerCycle) {
    report.error(0, "в базе " + counted(usable, "вопрос", "вопроса", "вопросов") +
                        ", а за игровой цикл игра задаёт до " + std::to_string(kQuestionsPerCycle) +
                        ": вопросы будут повторяться (нужно не меньше " +
                        std::to_string(kQuestionsPerCycle) + ")");
  }
  return report.take();
}

}  // namespace kelmora::check
