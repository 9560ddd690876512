#include "core/bases/main_base.h"

#include "core/files/text_file.h"
#include "core/text/cp1251.h"

namespace kelmora {

std::string erroneousLineMessage(int lineNumber) {
  return std::string("В базе вопросов [kelmora.db] обнаружена ошибка: строка - "_cp) +
         std::to_string(lineNumber) +
         std::string("; Необходимо удалить ёё для правильной работы программы!"_cp);
}

std::string mainBaseOverflowMessage(long long lines) {
  return std::string(
             "В базе вопросов [kelmora.db] больше 501 строки: строки после 501-й в игру не загружены (всего строк: "_cp) +
         std::to_string(lines) + ").";
}

bool parseMainLine(std::string_view line, QuestionTable& table, int i) {
  // An empty line reads as "error", which has no separator, so it is reported like any other.
  const auto split = splitMainLine(line.empty() ? std::string_view("error") : line);
  if (!split) return false;
  const auto index = static_cast<std::size_t>(i);
  table.questionTexts[index] = std::string(split->text);
  table.answerVariants[index] = answerRow(splitAnswerPart(split->answerPart));
  return true;
}

void loadMainBase(const std::filesystem::path& dir, QuestionBase& base, const Notify& notify) {
  LineReader reader(dir / kMainBaseFile, kMaxLineLength);
  std::string line;
  long long lines = 0;
  while (reader.next(line)) {
    if (lines < base.capacity()) {
      const int i = static_cast<int>(lines);
      base.questionCount = i + 1;
      if (!parseMainLine(line, base, i)) notify(erroneousLineMessage(i + 1));
    }
    ++lines;
  }
  if (lines > base.capacity()) notify(mainBaseOverflowMessage(lines));
}

}  // namespace kelmora
