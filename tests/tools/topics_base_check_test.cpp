#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "check/base_checker.h"
#include "tools_test_support.h"

namespace kelmora::check {
namespace {

using test::cpLines;
using test::E;
using test::Expect;
using test::expectFindings;
using test::shown;
using test::TempDir;
using test::W;

// A topic block: header, n distinct questions, and the closing "%" unless told otherwise. The
// answers differ from topic to topic, or "А: вопрос 0?" and "Б: вопрос 0?" would be one
// question asked twice.
std::vector<std::string> topic(const std::string& name, int n, bool closed = true) {
  std::vector<std::string> lines{"[" + name + "]"};
  const std::string answer =
      "ответ" + std::to_string(std::hash<std::string>{}(name) % 100000) + "n";
  for (int i = 0; i < n; ++i)
    lines.push_back(name + ": вопрос " + std::to_string(i) + "?\\" + answer + std::to_string(i) +
                    "/");
  if (closed) lines.push_back("%");
  return lines;
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct TopicsCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<Expect> expected;
  friend void PrintTo(const TopicsCase& c, std::ostream* os) { *os << c.name; }
};

class TopicsBase : public ::testing::TestWithParam<TopicsCase> {};

TEST_P(TopicsBase, ReportsEveryProblemAtItsLine) {
  const auto& c = GetParam();
  TempDir dir;
  dir.write("zamen.db", cpLines(c.lines));
  expectFindings(checkTopicsBase(dir / "zamen.db", "zamen.db"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TopicsBase,
    ::testing::Values(
        TopicsCase{"Clean", join({topic("История", 3), {""}, topic("География", 4)}), {}},
        TopicsCase{"NoTopicAtAll", {}, {{0, W, "нет ни одной темы"}}},
        TopicsCase{"NotClosedAtTheEnd", topic("А", 3, false), {{1, E, "не закрыта"}}},
        TopicsCase{"NotClosedBeforeTheNext",
                   join({topic("А", 3, false), topic("Б", 3)}),
                   {{1, E, "тема «А» не закрыта"}}},
        TopicsCase{"HeaderWithoutBracket",
                   {"[История", "В?\\а/", "Г?\\б/", "Д?\\в/", "%"},
                   {{1, E, "покажет тему как «Истори»"}}},
        TopicsCase{"EmptyName",
                   join({{"[]"}, topic("x", 3)}),
                   {{1, E, "пустое название"}, {1, E, "не закрыта"}, {1, E, "нет ни одного"}}},
        TopicsCase{"NoQuestions", topic("А", 0), {{1, E, "нет ни одного вопроса"}}},
        TopicsCase{"TwoQuestions", topic("А", 2), {{1, W, "2 вопроса"}}},
        TopicsCase{
            "ShortLine", {"[А]", "В?\\а/", "ab", "Г?\\б/", "Д?\\в/", "%"}, {{3, W, "короче трёх"}}},
        TopicsCase{"EmptyLineInside",
                   {"[А]", "В?\\а/", "", "Г?\\б/", "Д?\\в/", "%"},
                   {{3, W, "пустая строка внутри темы"}}},
        TopicsCase{"PercentWithBlank",
                   {"[А]", "В?\\а/", "Г?\\б/", "Д?\\в/", "% "},
                   {{5, W, "из одного «%»"}, {1, E, "не закрыта"}}},
        TopicsCase{"LineBetweenTopics",
                   join({topic("А", 3), {"", "забытый вопрос?\\ответ/"}, topic("Б", 3)}),
                   {{7, W, "вне темы"}}},
        TopicsCase{"LineBeforeTheFirstHeader",
                   join({{"комментарий"}, topic("А", 3)}),
                   {{1, W, "вне темы"}}},
        TopicsCase{"QuestionWithoutBackslash",
                   {"[А]", "Вопрос без черты", "Г?\\б/", "Д?\\в/", "%"},
                   {{2, E, "покажет вопрос «Вопрос без че» с ответами «ты»"}}},
        TopicsCase{"BackslashFirst",
                   {"[А]", "\\ответ/", "Г?\\б/", "Д?\\в/", "%"},
                   {{2, E, "пустой текст вопроса"}}},
        TopicsCase{"AnswerChecksAsInTheMainBase",
                   {"[А]", "В?\\Москва/", "Г?\\б  в/", "Д?\\вв", "%"},
                   {{2, E, "есть «М»"}, {3, E, "два пробела"}, {4, W, "нет «/»"}}},
        TopicsCase{
            "DuplicateQuestionAcrossTopics",
            {"[А]", "В?\\а/", "Г?\\б/", "Д?\\в/", "%", "[Б]", "Е?\\а/", "В? \\б/", "Ж?\\в/", "%"},
            {{8, W, "уже есть в строке 2, в теме «А»"}}},
        TopicsCase{"DuplicateTopicName",
                   join({topic("А", 3), topic("А", 3)}),
                   {{6, W, "уже есть в строке 1"},
                    {7, W, "тот же вопрос"},
                    {8, W, "тот же вопрос"},
                    {9, W, "тот же вопрос"}}},
        TopicsCase{"HundredOneFit", topic("А", 101), {}},
        // The game draws the last question a topic may hold like any other: an author must
        // hear that its answer can never match.
        TopicsCase{"TheHundredFirstIsChecked",
                   [] {
                     auto lines = topic("А", 101);
                     lines[101] = "Последний вопрос?\\Москва/";
                     return lines;
                   }(),
                   {{102, E, "есть «М»"}}},
        TopicsCase{"HundredFourteenAreCountedInWords",
                   topic("А", 114),
                   {{1, E, "в теме «А» 114 вопросов, а игра берёт"}}},
        TopicsCase{"HundredTwoDoNot",
                   topic("А", 102),
                   {{1, E, "102 вопроса, а игра берёт только первые 101"}}},
        TopicsCase{"CutAt4096",
                   {"[А]", "В?\\а/" + std::string(5000, ' '), "Г?\\б/", "Д?\\в/", "%"},
                   {{2, E, "4096"}}}));

TEST(TopicsBase, MoreThanAThousandTopicsIsOneErrorAtTheFirstIgnored) {
  std::vector<std::string> lines;
  for (int t = 0; t < 1001; ++t) {
    const auto block = topic("Т" + std::to_string(t), 3);
    lines.insert(lines.end(), block.begin(), block.end());
  }
  lines.push_back("строка после лишней темы");
  TempDir dir;
  dir.write("zamen.db", cpLines(lines));
  const auto found = checkTopicsBase(dir / "zamen.db", "zamen.db");
  ASSERT_EQ(found.size(), 1u) << shown(found);
  EXPECT_EQ(found[0].line, 1000 * 5 + 1);
  EXPECT_EQ(found[0].severity, E);
  EXPECT_NE(found[0].message.find("больше 1000"), std::string::npos);
}

TEST(TopicsBase, FileSavedAsUtf8IsOneError) {
  TempDir dir;
  std::string utf8;
  for (const auto& line : topic("История", 5))
    utf8 += line + "\n";
  dir.write("zamen.db", utf8);
  const auto found = checkTopicsBase(dir / "zamen.db", "zamen.db");
  ASSERT_EQ(found.size(), 1u) << shown(found);
  EXPECT_EQ(found[0].line, 1);
  EXPECT_NE(found[0].message.find("UTF-8"), std::string::npos);
}

TEST(TopicsBase, MissingFileIsAnError) {
  TempDir dir;
  const auto found = checkTopicsBase(dir / "zamen.db", "zamen.db");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(formatFinding(found[0]), "zamen.db: ошибка: файл не найден");
}

}  // namespace
}  // namespace kelmora::check
