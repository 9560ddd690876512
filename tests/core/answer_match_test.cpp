// How a typed answer is judged, apart from any game: the one function the game and the base
// checker share, so a case that fails here misjudges players and misleads authors alike.
#include "core/text/answer_match.h"

#include <gtest/gtest.h>

#include <string>

#include "core/bases/question_table.h"
#include "test_support.h"

namespace kelmora {
namespace {

using test::cp;

TEST(AnswerNormalisation, FoldsCyrillicCaseAndDropsBlanksAndMarks) {
  const struct {
    const char* typed;
    const char* normal;
  } cases[] = {
      {"Москва", "москва"},
      {"А", "а"},
      {"Я", "я"},
      {"а", "а"},
      {"я", "я"},
      {"ЯБЛОКО", "яблоко"},
      {"ЪЬЭЮ", "ъьэю"},
      {"Ёлка", "елка"},
      {"ЁЖ", "еж"},
      {"ЁЁё", "еее"},
      {"Санкт-Петербург", "санктпетербург"},
      {"А. С. Пушкин!", "аспушкин"},
      {"Б Б", "бб"},
      {" .!- ", ""},
      {"- . ! -", ""},
      {"Paris", "Paris"},  // Latin keeps its case
      {"Zz,;?", "Zz,;?"},
      {"№§«»", "№§«»"},
      {"1812", "1812"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(normalizeAnswer(cp(c.typed)), cp(c.normal)) << c.typed;
}

// The slots as the game reads them from a question line's answer part.
AnswerRow slotsOf(const char* answerPart) {
  return answerRow(splitAnswerPart(cp(answerPart)));
}

TEST(AnswerMatch, TypedTextAgainstTheFiveSlots) {
  const struct {
    const char* answerPart;
    const char* typed;
    bool right;
  } cases[] = {
      {"москва мск/", "Москва", true},
      {"москва мск/", "МОСКВА!", true},
      {"москва мск/", "м о с к в а", true},
      {"москва мск/", "Мск.", true},
      {"москва мск/", "Москвы", false},
      {"москва мск/", "москвa", false},  // a Latin "a" at the end
      {"москва мск/", "", false},
      // The filler of the unused slots is an answer like any other; Latin is compared as typed.
      {"москва мск/", "xcode", true},
      {"москва мск/", "XCODE", false},
      {"санктпетербург ленинград петроград питер спб/", "Санкт-Петербург", true},
      {"санктпетербург ленинград петроград питер спб/", "СПб", true},
      {"санктпетербург ленинград петроград питер спб/", "xcode", false},
      {"санктпетербург ленинград петроград питер спб ингерманландия/", "ингерманландия", false},
      {"елка/", "Ёлка", true},
      {"елка/", "ёлка", true},
      // A variant written with "ё" can never be matched: the typed "ё" is read as "е".
      {"ёж/", "ёж", false},
      // Slots keep 24 characters: the whole of a longer variant is judged wrong.
      {"абвгдежзийклмнопрстуфхцчшщ/", "абвгдежзийклмнопрстуфхцчшщ", false},
      {"абвгдежзийклмнопрстуфхцчшщ/", "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧ", true},
      // Two blanks in a row leave an empty slot, which takes an answer of blanks and marks.
      {"а  б/", " . ", true},
      {"а  б/", "б", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(answerMatches(cp(c.typed), slotsOf(c.answerPart)), c.right)
        << c.answerPart << " <- " << c.typed;
  }
}

}  // namespace
}  // namespace kelmora
