#pragma once

// The in-memory form shared by both question bases: question texts, and five answer slots per
// question. Slot k of the game's wording is index k - 1 of an AnswerRow.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/answer_match.h"

namespace kelmora {

// Longer lines are cut here on reading: no question fits the question box at this length, and
// it keeps a corrupt or binary file from filling memory.
inline constexpr std::size_t kMaxLineLength = 4096;

struct QuestionTable {
  explicit QuestionTable(int capacity)
      : questionTexts(static_cast<std::size_t>(capacity)),
        answerVariants(static_cast<std::size_t>(capacity)) {}

  int capacity() const { return static_cast<int>(questionTexts.size()); }

  int questionCount = 0;
  std::vector<std::string> questionTexts;
  std::vector<AnswerRow> answerVariants;
};

// The answer part of a question line, as an author wrote it.
struct AnswerPart {
  std::vector<std::string_view> variants;  // every variant, also past the fifth and uncut
  bool closed = false;                     // a "/" ended the list
};

// Splits variants at single blanks up to the first "/". Without a "/" the end of the line
// closes the list, so a forgotten slash costs the author nothing.
AnswerPart splitAnswerPart(std::string_view answerPart);

// The five slots: the first five variants, each cut to 24 characters, then the filler "xcode".
AnswerRow answerRow(const AnswerPart& part);

struct QuestionLine {
  std::string_view text;
  std::string_view answerPart;
};

// A line of the main base: the separator is searched from the second character and needs at
// least three characters after it; otherwise the line is erroneous (nullopt).
std::optional<QuestionLine> splitMainLine(std::string_view line);

// A line of a replacement topic: searched from the first character, and a line without an
// early enough backslash is split three characters before its end. Lines shorter than three
// characters hold no question (nullopt).
std::optional<QuestionLine> splitTopicLine(std::string_view line);

}  // namespace kelmora
