#pragma once

// Judging a typed answer. The game, the base checker and anything that derives answer
// variants must agree on this to the byte, or the checker passes variants the game never
// accepts; so it lives in one place.

#include <array>
#include <string>
#include <string_view>

#include "core/text/short_string.h"

namespace kelmora {

// A question keeps five answer slots of 24 characters each; what an author wrote past that is
// gone before any answer is judged.
using AnswerVariant = ShortString<24>;
inline constexpr int kAnswerSlots = 5;
using AnswerRow = std::array<AnswerVariant, kAnswerSlots>;

// The typed answer in the form the answer variants are written in: Cyrillic capitals folded,
// "ё" read as "е", blanks, ".", "!" and "-" removed; everything else kept.
std::string normalizeAnswer(std::string_view typed);

// Whether a byte can stand in a normalised answer. A variant holding any other byte is one no
// player can ever match.
bool survivesNormalisation(char c);

// Whether the typed answer is right for a question with these slots. Every slot counts alike,
// the "xcode" filler and empty slots included, and the comparison is byte for byte: Latin
// letters keep their case.
bool answerMatches(std::string_view typed, const AnswerRow& slots);

}  // namespace kelmora
