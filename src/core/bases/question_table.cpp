#include "core/bases/question_table.h"

#include "core/text/cp1251.h"

namespace kelmora {

AnswerPart splitAnswerPart(std::string_view rest) {
  AnswerPart part;
  for (;;) {
    const std::size_t stop = rest.find_first_of(" /");
    part.variants.push_back(rest.substr(0, stop));
    if (stop == std::string_view::npos) return part;
    if (rest[stop] == '/') {
      part.closed = true;
      return part;
    }
    rest.remove_prefix(stop + 1);
  }
}

AnswerRow answerRow(const AnswerPart& part) {
  AnswerRow row;
  for (std::size_t k = 0; k < row.size(); ++k) {
    row[k].assign(k < part.variants.size() ? part.variants[k] : "xcode"_cp);
  }
  return row;
}

std::optional<QuestionLine> splitMainLine(std::string_view line) {
  // Positions here count from 0: the search covers the 2nd character up to the (L-3)th.
  for (std::size_t p = 1; p + 3 < line.size(); ++p) {
    if (line[p] == '\\') return QuestionLine{line.substr(0, p), line.substr(p + 1)};
  }
  return std::nullopt;
}

std::optional<QuestionLine> splitTopicLine(std::string_view line) {
  if (line.size() < 3) return std::nullopt;
  std::size_t p = 0;
  while (p < line.size() - 3 && line[p] != '\\')
    ++p;
  return QuestionLine{line.substr(0, p), line.substr(p + 1)};
}

}  // namespace kelmora
