#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/base_checker.h"
#include "tools_test_support.h"

namespace kelmora::check {
namespace {

using test::cpLines;
using test::Expect;
using test::expectFindings;
using test::TempDir;
using test::W;

// 25 questions no test question resembles, after the lines a case puts first.
std::vector<std::string> mainBase(std::vector<std::string> first) {
  for (int i = 0; i < 25; ++i)
    first.push_back("Вопрос номер " + std::to_string(i) + "?\\ответ" + std::to_string(i) + "/");
  return first;
}

// Two topics of three questions; a case gives the first question of each.
std::vector<std::string> topics(const std::string& first, const std::string& second) {
  return {"[А]", first,  "Тема А, вопрос 1?\\ответа1/", "Тема А, вопрос 2?\\ответа2/", "%",
          "[Б]", second, "Тема Б, вопрос 1?\\ответб1/", "Тема Б, вопрос 2?\\ответб2/", "%"};
}

struct RepeatCase {
  const char* name;
  std::string main;              // line 1 of kelmora.db
  std::string first;             // line 2 of zamen.db, in topic «А»
  std::string second;            // line 7 of zamen.db, in topic «Б»
  std::vector<Expect> expected;  // all in zamen.db
  friend void PrintTo(const RepeatCase& c, std::ostream* os) { *os << c.name; }
};

class Repeats : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(Repeats, AreReportedAtTheLaterQuestion) {
  const auto& c = GetParam();
  TempDir dir;
  dir.write("kelmora.db", cpLines(mainBase({c.main})));
  dir.write("zamen.db", cpLines(topics(c.first, c.second)));
  // Given topics first: the main base still counts as the earlier file.
  const auto found = checkBases({{dir / "zamen.db", "zamen.db", BaseKind::kTopics},
                                 {dir / "kelmora.db", "kelmora.db", BaseKind::kMain}});
  expectFindings(found[1], {});
  expectFindings(found[0], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Same, Repeats,
    ::testing::Values(RepeatCase{"MainAndTopic",
                                 "Столица Франции?\\париж/",
                                 "Столица Франции?\\париж/",
                                 "Столица Италии?\\рим/",
                                 {{2, W, "тот же вопрос уже есть в kelmora.db, в строке 1"}}},
                      RepeatCase{"CaseYoPunctuationAndBlanks",
                                 "Кто написал «Конёк-Горбунок»?\\ершов/",
                                 "кто  написал КОНЕК горбунок\\петрершов/",
                                 "Столица Италии?\\рим/",
                                 {{2, W, "тот же вопрос уже есть в kelmora.db"}}},
                      RepeatCase{"LatinCase",
                                 "Что означает буква K в CMYK?\\черный/",
                                 "Что означает буква k в cmyk?\\черный/",
                                 "Столица Италии?\\рим/",
                                 {{2, W, "тот же вопрос уже есть в kelmora.db"}}},
                      RepeatCase{"TwoTopics",
                                 "Столица Испании?\\мадрид/",
                                 "Столица Франции?\\париж/",
                                 "Столица Франции!\\париж/",
                                 {{7, W, "тот же вопрос уже есть в строке 2, в теме «А»"}}},
                      RepeatCase{
                          "MainNamedBeforeTopic",
                          "Столица Франции?\\париж/",
                          "Столица Франции?\\париж/",
                          "Столица Франции?\\париж/",
                          {{2, W, "kelmora.db, в строке 1"}, {7, W, "kelmora.db, в строке 1"}}}));

INSTANTIATE_TEST_SUITE_P(
    Near, Repeats,
    ::testing::Values(
        RepeatCase{"OtherFormsOfTheSameWords",
                   "Как называется битва 1242 года на льду Чудского озера?\\ледовоепобоище/",
                   "Как называют битву 1242 года на льду Чудского озера?\\побоище/",
                   "Столица Италии?\\рим/",
                   {{2, W,
                     "в kelmora.db, в строке 1: «Как называется битва 1242 года на льду "
                     "Чудского озера?» (те же слова в других формах или в другом порядке)"}}},
        RepeatCase{"CommonAnswerAndMostWords",
                   "Кто написал роман «Три мушкетёра»?\\дюма/",
                   "Кто автор романа «Три мушкетёра»?\\александрдюма дюма/",
                   "Столица Италии?\\рим/",
                   {{2, W, "общий ответ «дюма»"}}},
        RepeatCase{"FrameWordsDoNotCount",
                   "Столица Японии?\\токио/",
                   "Какой город — столица Японии?\\токио/",
                   "Столица Италии?\\рим/",
                   {{2, W, "почти тот же вопрос"}}}));

// Questions built on one frame ask different things.
INSTANTIATE_TEST_SUITE_P(
    Different, Repeats,
    ::testing::Values(RepeatCase{"SameFrameOtherSubject",
                                 "Как называется самая высокая гора Африки?\\килиманджаро/",
                                 "Как называется самая высокая гора России?\\эльбрус/",
                                 "Как называется самая высокая гора мира?\\эверест джомолунгма/",
                                 {}},
                      RepeatCase{
                          "OneWordApartWithOtherAnswers",
                          "В каком городе прошли летние Олимпийские игры 1980 года?\\москва/",
                          "В каком городе прошли летние Олимпийские игры 2008 года?\\пекин/",
                          "В каком городе прошли летние Олимпийские игры 2012 года?\\лондон/",
                          {}},
                      RepeatCase{"CapitalOfWhichCountry",
                                 "Столица какой страны — Оттава?\\канада/",
                                 "Столица какой страны — Канберра?\\австралия/",
                                 "Столица какой страны — Анкара?\\турция/",
                                 {}},
                      RepeatCase{"SameAnswerFewCommonWords",
                                 "Кто написал оперу «Иван Сусанин»?\\глинка/",
                                 "Кто написал оперу «Руслан и Людмила»?\\глинка/",
                                 "Сколько ног у паука?\\8 восемь/",
                                 {}},
                      RepeatCase{"SameAnswerHalfTheWords",
                                 "Кто автор романа «Обломов»?\\гончаров/",
                                 "Кто автор романа «Обрыв»?\\гончаров/",
                                 "Сколько щупалец у осьминога?\\8 восемь/",
                                 {}},
                      RepeatCase{"ASignInQuotes",
                                 "Как называется знак препинания «;»?\\точкасзапятой/",
                                 "Как называется знак препинания «—»?\\тире/",
                                 "Как называется знак препинания «:»?\\двоеточие/",
                                 {}}));

TEST(Repeats, WithinTheMainBaseToo) {
  TempDir dir;
  dir.write("kelmora.db", cpLines(mainBase({"Какая птица самая крупная в мире?\\страус/",
                                            "Какая птица — самая крупная на Земле?\\страус/"})));
  expectFindings(checkMainBase(dir / "kelmora.db", "kelmora.db"),
                 {{2, W, "почти тот же вопрос уже есть в строке 1"}});
}

TEST(Repeats, FilesCheckedAloneDoNotSeeEachOther) {
  TempDir dir;
  dir.write("kelmora.db", cpLines(mainBase({"Столица Франции?\\париж/"})));
  dir.write("zamen.db", cpLines(topics("Столица Франции?\\париж/", "Столица Италии?\\рим/")));
  expectFindings(checkTopicsBase(dir / "zamen.db", "zamen.db"), {});
  const auto together = checkBases({{dir / "kelmora.db", "kelmora.db", BaseKind::kMain},
                                    {dir / "zamen.db", "zamen.db", BaseKind::kTopics}});
  expectFindings(together[1], {{2, W, "тот же вопрос"}});
}

}  // namespace
}  // namespace kelmora::check
