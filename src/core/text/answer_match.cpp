#include "core/text/answer_match.h"

#include <algorithm>

namespace kelmora {

namespace {

constexpr int kDropped = -1;

// The one table of the normalisation: what each typed byte becomes.
int normalised(unsigned char c) {
  if (c == ' ' || c == '.' || c == '!' || c == '-') return kDropped;
  if (c >= 0xC0 && c <= 0xDF) return c + 0x20;  // "А".."Я" to "а".."я"
  if (c == 0xA8 || c == 0xB8) return 0xE5;      // "Ё", "ё" to "е"
  return c;
}

}  // namespace

std::string normalizeAnswer(std::string_view typed) {
  std::string out;
  out.reserve(typed.size());
  for (const char ch : typed) {
    const int c = normalised(static_cast<unsigned char>(ch));
    if (c != kDropped) out.push_back(static_cast<char>(c));
  }
  return out;
}

bool survivesNormalisation(char c) {
  const auto b = static_cast<unsigned char>(c);
  return normalised(b) == b;
}

bool answerMatches(std::string_view typed, const AnswerRow& slots) {
  const std::string answer = normalizeAnswer(typed);
  return std::any_of(slots.begin(), slots.end(),
                     [&](const AnswerVariant& slot) { return slot == answer; });
}

}  // namespace kelmora
