#pragma once

// From what a source calls the answer to what the game compares: the five slots of a question
// line. The game's own normalisation (normalizeAnswer) decides every variant's form, so a
// derived variant is exactly what a player's typed answer turns into.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora::import {

inline constexpr std::size_t kMaxVariants = 5;
inline constexpr std::size_t kMaxVariantLength = 24;
// Room left in a line of the game's 4096 characters for five variants and their separators.
inline constexpr std::size_t kMaxQuestionLength = 3900;

struct Derived {
  std::vector<std::string> variants;  // code page, normalised, at most five, best first
  std::vector<std::string> dropped;   // UTF-8: each answer form left out, and why
};

// questionCp is the question as it will be stored (code page); answers are the source's
// answer texts (UTF-8), each possibly holding alternatives ("Пушкин; А. С. Пушкин"),
// remarks ("(принимается: Александр Пушкин)", "незачёт: Лермонтов") and hints in brackets.
Derived deriveVariants(std::string_view questionCp, const std::vector<std::string>& answers);

struct QuestionText {
  std::string text;      // code page, one line, safe to stand before the "\"
  std::string replaced;  // UTF-8: characters the code page has no place for, shown as "?"
};

// Nothing for a text with no visible character.
std::optional<QuestionText> questionText(std::string_view utf8);

// The code-page topic name for a header line: one line, never empty.
std::string topicName(std::string_view utf8);

}  // namespace kelmora::import
