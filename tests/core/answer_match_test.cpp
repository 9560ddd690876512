// How a typed answer is judged, apart from any game: the one function the game and the base
// checker share, so a case that fails here misjudges players and misleads authors alike.
#include "core/text/answer_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bases/question_table.h"
#include "core/text/fair_keys.h"
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

std::vector<std::string> cpAll(const std::vector<std::string>& utf8) {
  std::vector<std::string> out;
  for (const auto& s : utf8)
    out.push_back(cp(s));
  return out;
}

// Each twin is a form a player types for the same answer; the game must then accept it.
TEST(FairTwins, AreTheFormsAPlayerTypesForTheSameAnswer) {
  const struct {
    std::string variant;
    std::vector<std::string> twins;
  } cases[] = {
      {"петр1", {"петрI", "петрi"}},
      {"петрI", {"петр1", "петрi"}},
      {"николайii", {"николай2", "николайII"}},
      {"людовик14", {"людовикXIV", "людовикxiv"}},
      {"генрих8", {"генрихVIII", "генрихviii"}},
      {"иван4", {"иванIV", "иванiv"}},
      {"карл9", {"карлIX", "карлix"}},
      {"людовик18", {"людовикXVIII", "людовикxviii"}},
      {"иоанн23", {"иоаннXXIII", "иоаннxxiii"}},
      {"лев39", {"левXXXIX", "левxxxix"}},
      // Beyond the counts of rulers, a leading zero, a short name: not an ordinal.
      {"лев40", {}},
      {"лев0", {}},
      {"петр01", {}},
      {"ил2", {}},
      {"ту154", {}},
      {"1812", {}},
      {"петр", {}},
      // Roman numerals only in their one canonical spelling, of I, V and X only.
      {"петрIIII", {}},
      {"петрVX", {}},
      {"петрL", {}},
      {"петрIi", {}},
      // Digits after Latin letters or inside a word are no ruler's ordinal.
      {"h2o", {}},
      {"co2", {}},
      {"петр1великий", {}},
      {"жаннад'арк", {"жаннадарк"}},
      {"жаннад’арк", {"жаннадарк", "жаннад'арк"}},
      {"д‘артаньян", {"дартаньян", "д'артаньян"}},
      {"o`neill", {"oneill", "o'neill"}},
      {"жаннадарк", {}},
      {"'", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fairTwins(cp(c.variant)), cpAll(c.twins)) << c.variant;
    for (const auto& twin : c.twins)
      EXPECT_EQ(normalizeAnswer(cp(twin)), cp(twin)) << twin << " cannot be typed";
  }
}

TEST(FairTwins, NumbersAreRulersOrdinalsOnlyWhereTheKeyOrTheQuestionSaysSo) {
  const struct {
    const char* question;
    std::vector<std::string> key;
    std::vector<std::string> missing;  // twin of each variant, in order
  } cases[] = {
      {"Кто основал Петербург?", {"петр", "петр1", "петрпервый"}, {"петрI", "петрi"}},
      {"Кто основал Петербург?", {"петр1", "петрI", "петрi"}, {}},
      {"Кто основал Петербург?", {"петр1", "петрI"}, {"петрi"}},
      {"Какой царь основал Петербург?", {"петр1"}, {"петрI", "петрi"}},
      {"Какая дочь Петра I правила Россией?", {"елизавета1"}, {"елизаветаI", "елизаветаi"}},
      {"Кто правил Францией?", {"людовикXIV", "людовикxiv"}, {"людовик14"}},
      // A ship, a station, a rover: the number is part of the name.
      {"Как назывался корабль Гагарина?", {"восток", "восток1"}, {}},
      {"Как назывался первый луноход?", {"луноход1", "луноход"}, {}},
      {"Кто на троне?", {"жаннад'арк", "жаннадарк"}, {}},
      {"Кто сжёг Жанну?", {"жаннад’арк"}, {"жаннадарк", "жаннад'арк"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> twins;
    for (const auto& m : missingTwins(cp(c.question), cpAll(c.key)))
      twins.push_back(m.twin);
    EXPECT_EQ(twins, cpAll(c.missing)) << c.question;
  }
}

TEST(ObliqueCase, IsAskedByTheFirstQuestionWord) {
  const struct {
    const char* question;
    bool oblique;
  } cases[] = {
      {"Кого новгородцы призвали княжить в 862 году?", true},
      {"КОГО призвали?", true},
      {"Какую финикийскую царевну похитил Зевс?", true},
      {"По проекту какого архитектора построен Исаакиевский собор?", true},
      {"С помощью какого прибора измеряют давление?", true},
      {"Какому богу молились викинги?", true},
      {"Каким металлом покрывают жесть?", true},
      {"Кому Пушкин посвятил «Я помню чудное мгновенье»?", true},
      {"Чей портрет висит в кабинете?", true},
      {"Какого цвета флаг?", true},
      {"Кем работал Чехов?", true},
      {"Кого разбудил поцелуй принца?", true},
      {"Кого Годунов отправил в Углич?", true},
      {"Кто призвал варягов?", false},
      {"Какой царь основал Петербург?", false},
      {"Что похитил Прометей у богов?", false},
      {"Как звали коня Александра Македонского?", false},
      {"В каком городе родился Пушкин?", false},
      {"Какого числа празднуют Рождество?", false},
      {"Какого года постройки этот дом?", false},
      {"Какому веку принадлежит?", false},
      {"Каким по счёту был этот полёт?", false},
      {"Под каким именем вошёл в историю самозванец?", false},
      {"Какую фамилию носили братья?", false},
      {"Кто, кроме Рюрика, был призван кого-то охранять?", false},
      // Too far into the sentence to say what case the answer takes.
      {"Из этих трёх городов какой кого старше?", false},
      {"", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(asksObliqueCase(cp(c.question)), c.oblique) << c.question;
}

TEST(ObliqueCase, KeyHoldsTwoFormsOfOneWord) {
  const struct {
    std::vector<std::string> key;
    bool forms;
  } cases[] = {
      {{"рюрик", "рюрика"}, true},
      {{"европа", "европу"}, true},
      {{"красный", "красного"}, true},
      {{"монферран", "огюстмонферран", "монферрана"}, true},
      {{"аннакерн", "аннекерн"}, true},
      {{"курскаябитва", "курскойбитвы"}, true},
      {{"большаямедведица", "большоймедведице"}, true},
      {{"ивангрозный", "иванпетрович"}, false},
      {{"рюрик"}, false},
      {{"монферран", "огюстмонферран"}, false},
      {{"рюрика"}, false},
      {{"австрия", "австралия"}, false},
      {{"ленин", "ленинград"}, false},
      {{"рюрик", "рюрик1"}, false},
      // Nothing to decline: foreign words on a vowel, numbers, Latin.
      {{"гете"}, true},
      {{"пикассо"}, true},
      {{"1812"}, true},
      {{"Microsoft", "microsoft"}, true},
      {{}, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(holdsCaseForms(cpAll(c.key)), c.forms) << (c.key.empty() ? "" : c.key[0]);
}

TEST(ObliqueCase, KeyLacksTheFormOnlyWhereItDiffers) {
  const struct {
    const char* question;
    std::vector<std::string> key;
    bool lacks;
  } cases[] = {
      {"Какую царевну похитил Зевс?", {"европа"}, true},
      {"Какую царевну похитил Зевс?", {"европа", "европу"}, false},
      {"Какую планету называют Красной?", {"марс"}, false},
      {"Какую пряность получают из орхидеи?", {"ваниль"}, false},
      {"Какую землю продали в 1867 году?", {"аляска"}, true},
      {"Кого призвали княжить?", {"рюрик"}, true},
      {"Из какого злака делают перловку?", {"ячмень"}, true},
      {"Кто княжил в Новгороде?", {"рюрик"}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(lacksAskedCase(cp(c.question), cpAll(c.key)), c.lacks) << c.question;
}

}  // namespace
}  // namespace kelmora
