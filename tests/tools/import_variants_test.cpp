// What the importer stores as a question's answer slots decides whether a player who knows the
// answer is judged right: each case names the answer a player would type and lose on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/answer_match.h"
#include "core/text/cp1251.h"
#include "import/table_reader.h"
#include "import/variants.h"

namespace kelmora::import {
namespace {

struct VariantCase {
  const char* name;
  std::string question;
  std::vector<std::string> answers;
  std::vector<std::string> variants;  // UTF-8
  friend void PrintTo(const VariantCase& c, std::ostream* os) { *os << c.name; }
};

class Variants : public ::testing::TestWithParam<VariantCase> {};

TEST_P(Variants, AreWhatThePlayersTypedAnswerBecomes) {
  const auto& c = GetParam();
  const Derived d = deriveVariants(toCp1251(c.question), c.answers);
  std::vector<std::string> got;
  for (const auto& v : d.variants)
    got.push_back(kelmora::toUtf8(v));
  EXPECT_EQ(got, c.variants);
  // Each variant is a fixed point of the game's normalisation, or no typed answer reaches it.
  for (const auto& v : d.variants)
    EXPECT_EQ(normalizeAnswer(v), v);
}

INSTANTIATE_TEST_SUITE_P(
    Derivation, Variants,
    ::testing::Values(
        // "Санкт-Петербург" typed as the player types it: case, "ё", blanks and hyphens go.
        VariantCase{"normalised", "Город?", {"Санкт-Петербург"}, {"санктпетербург"}},
        VariantCase{"yo_as_ye", "Кто?", {"Пётр Первый"}, {"петрпервый"}},
        // Alternatives in one cell: each a variant, but "1/2" stays one answer.
        VariantCase{"alternatives",
                    "Кто?",
                    {"Пушкин; А. С. Пушкин / Александр Пушкин"},
                    {"пушкин", "аспушкин", "александрпушкин"}},
        VariantCase{"fraction_kept_whole", "Сколько?", {"1/2"}, {}},
        // A hint in brackets: the answer without it first, with it as a further form.
        VariantCase{"bracket_hint", "Кто?", {"(Александр) Пушкин"}, {"пушкин", "александрпушкин"}},
        // Remarks: accepted forms added, refused ones never become a variant.
        VariantCase{"accepted_in_brackets",
                    "Кто?",
                    {"Пушкин (принимается: Александр Пушкин)"},
                    {"пушкин", "александрпушкин"}},
        VariantCase{"accepted_after",
                    "Кто?",
                    {"Гоголь. Засчитывается: Николай Гоголь, Н. В. Гоголь"},
                    {"гоголь", "николайгоголь", "нвгоголь"}},
        VariantCase{"refused_cut", "Кто?", {"Лермонтов; незачёт: Пушкин"}, {"лермонтов"}},
        VariantCase{
            "refused_in_brackets", "Кто?", {"Лермонтов (не принимается: Пушкин)"}, {"лермонтов"}},
        // Quotation marks are not typed; a typographic apostrophe arrives as a straight one.
        VariantCase{"quotes_dropped", "Роман?", {"«Война и мир»"}, {"войнаимир"}},
        // The fair-key rules the checker holds a key to: the apostrophe-free twin, and a
        // ruler's number in Latin Roman numerals, as "Пётр I" arrives.
        VariantCase{"apostrophe_straightened_and_dropped",
                    "Кто?",
                    {"Жанна д’Арк"},
                    {"жаннад'арк", "жаннадарк"}},
        VariantCase{"roman_numeral_twins",
                    "Какой царь основал Петербург?",
                    {"Пётр 1"},
                    {"петр1", "петрI", "петрi"}},
        VariantCase{"ship_number_no_numerals",
                    "Как назывался корабль Гагарина?",
                    {"Восток-1"},
                    {"восток1"}},
        // An oblique question asks a case form the nominative alone would reject.
        VariantCase{"oblique_feminine",
                    "Какую финикийскую царевну похитил Зевс?",
                    {"Европа"},
                    {"европа", "европу", "европы"}},
        VariantCase{"oblique_masculine",
                    "По проекту какого архитектора построен собор?",
                    {"Монферран"},
                    {"монферран", "монферрана"}},
        VariantCase{"oblique_already_keyed",
                    "Какую царевну похитил Зевс?",
                    {"Европа; Европу"},
                    {"европа", "европу"}},
        // Latin is compared as typed: the lower-case form beside the capitals.
        VariantCase{"latin_lower_twin", "Формула?", {"H2O"}, {"H2O", "h2o"}},
        VariantCase{"year_forms", "В каком году?", {"1941"}, {"1941", "1941г", "1941год"}},
        VariantCase{"no_year_forms_for_counts", "Сколько дней в году?", {"1941"}, {"1941"}},
        // Five slots: the answers themselves win over the forms derived from them.
        VariantCase{
            "five_at_most", "Кто?", {"а1;а2;а3;а4;а5;а6", "а7"}, {"а1", "а2", "а3", "а4", "а5"}},
        // Unmatchable forms are left out, not cut: a cut variant never matches either.
        VariantCase{"too_long_dropped",
                    "Что?",
                    {"Очень длинный ответ, который никто не наберёт; коротко"},
                    {"коротко"}},
        VariantCase{"outside_code_page_dropped", "Кто?", {"Gödel; Гёдель"}, {"гедель"}},
        VariantCase{"empty", "Что?", {"  ...  "}, {}}));

TEST(Variants, SayWhyAnAnswerWasLeftOut) {
  const Derived d = deriveVariants(toCp1251("Кто?"), {"Gödel"});
  EXPECT_TRUE(d.variants.empty());
  ASSERT_EQ(d.dropped.size(), 1u);
  EXPECT_NE(d.dropped[0].find("Windows-1251"), std::string::npos) << d.dropped[0];
}

struct TextCase {
  const char* name;
  std::string source;
  std::string stored;  // UTF-8
};

// A question's text must keep the line the game splits: no break, no backslash, no "[" first.
TEST(QuestionText, StaysOneLineTheGameSplitsRight) {
  const std::vector<TextCase> cases = {
      {"line_breaks", "Первая\r\nвторая  строка", "Первая вторая строка"},
      {"backslash", "Что такое a\\b?", "Что такое a/b?"},
      {"header_look", "[Тема] вопрос", "(Тема] вопрос"},
      {"unmappable", "Теорема Гёделя (Gödel)?", "Теорема Гёделя (G?del)?"},
  };
  for (const auto& c : cases) {
    const auto text = questionText(c.source);
    ASSERT_TRUE(text) << c.name;
    EXPECT_EQ(kelmora::toUtf8(text->text), c.stored) << c.name;
  }
  EXPECT_FALSE(questionText(" \t\n"));
  EXPECT_EQ(questionText("Gödel?")->replaced, "ö");
}

}  // namespace
}  // namespace kelmora::import
