#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/files/file_error.h"
#include "test_support.h"

namespace kelmora {
namespace {

using test::cp;
using test::TempDir;

std::vector<std::string> slots(const AnswerRow& row) {
  std::vector<std::string> out;
  for (const auto& v : row)
    out.push_back(v.str());
  return out;
}

struct LineCase {
  const char* name;
  std::string line;
  bool erroneous;
  std::string text;
  std::vector<std::string> slots;

  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

class MainLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(MainLine, IsSplitOrReportedAsTheGameReadsIt) {
  const auto& c = GetParam();
  QuestionTable table(1);
  const bool ok = parseMainLine(cp(c.line), table, 0);
  EXPECT_EQ(!ok, c.erroneous);
  if (ok) {
    EXPECT_EQ(table.questionTexts[0], cp(c.text));
    std::vector<std::string> expected;
    for (const auto& s : c.slots)
      expected.push_back(cp(s));
    EXPECT_EQ(slots(table.answerVariants[0]), expected);
  } else {
    EXPECT_EQ(table.questionTexts[0], "");
    EXPECT_EQ(slots(table.answerVariants[0]), std::vector<std::string>(5, ""));
  }
}

const std::string kX = "xcode";

INSTANTIATE_TEST_SUITE_P(
    Lines, MainLine,
    ::testing::Values(
        LineCase{"TwoVariants",
                 "Столица Франции?\\париж парижа/",
                 false,
                 "Столица Франции?",
                 {"париж", "парижа", kX, kX, kX}},
        LineCase{"Empty", "", true, "", {}}, LineCase{"ThreeChars", "a\\b", true, "", {}},
        LineCase{"FourChars", "ab\\c", true, "", {}},
        LineCase{"ShortestValid", "Q\\ab/", false, "Q", {"ab", kX, kX, kX, kX}},
        LineCase{"BackslashThirdLast", "Вопрос?\\а/", true, "", {}},
        LineCase{"BackslashSecondLast", "Вопрос?\\/", true, "", {}},
        LineCase{"BackslashLast", "Вопрос?\\", true, "", {}},
        LineCase{"NoBackslash", "Просто текст без ответа", true, "", {}},
        LineCase{"LeadingBackslashIsText", "\\Q\\ans/", false, "\\Q", {"ans", kX, kX, kX, kX}},
        LineCase{"LeadingBackslashOnly", "\\Qtext/", true, "", {}},
        LineCase{"DoubleBlankGivesEmptyVariant", "Q\\а  б/", false, "Q", {"а", "", "б", kX, kX}},
        LineCase{"BlankAfterSeparator", "Q\\ ab/", false, "Q", {"", "ab", kX, kX, kX}},
        LineCase{"FiveVariantsNoFiller", "Q\\a b c d e/", false, "Q", {"a", "b", "c", "d", "e"}},
        LineCase{
            "SevenVariantsKeepFive", "Q\\a b c d e f g/", false, "Q", {"a", "b", "c", "d", "e"}},
        LineCase{"LongVariantCut",
                 "Q\\абвгдежзийклмнопрстуфхцчшщ/",
                 false,
                 "Q",
                 {"абвгдежзийклмнопрстуфхцч", kX, kX, kX, kX}},
        LineCase{"TextAfterSlashIgnored", "Q\\ab/cd ef", false, "Q", {"ab", kX, kX, kX, kX}},
        LineCase{"NoSlashEndsAtLineEnd", "Q\\ab cd", false, "Q", {"ab", "cd", kX, kX, kX}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainBase, ErroneousLinesAreReportedInOrderAndKeepTheirIndex) {
  TempDir dir;
  dir.write("kelmora.db", cp("Первый?\\один/\r\n\r\nТретий?\\три/\r\nab\r\n"));
  QuestionBase base;
  std::vector<std::string> messages;
  loadMainBase(dir.path(), base, [&](const std::string& m) { messages.push_back(m); });
  EXPECT_EQ(base.questionCount, 4);
  EXPECT_EQ(messages,
            (std::vector<std::string>{
                cp("В базе вопросов [kelmora.db] обнаружена ошибка: строка - 2; Необходимо "
                   "удалить ёё для правильной работы программы!"),
                cp("В базе вопросов [kelmora.db] обнаружена ошибка: строка - 4; Необходимо "
                   "удалить ёё для правильной работы программы!")}));
  EXPECT_EQ(base.questionTexts[2], cp("Третий?"));
  EXPECT_EQ(base.answerVariants[1][0].str(), "");
}

TEST(MainBase, AFinalBreakAddsNoLineButABlankLastLineIsReported) {
  TempDir dir;
  std::vector<std::string> messages;
  const auto notify = [&](const std::string& m) { messages.push_back(m); };
  QuestionBase base;
  dir.write("kelmora.db", "Q\\abc/\n");
  loadMainBase(dir.path(), base, notify);
  EXPECT_EQ(base.questionCount, 1);
  EXPECT_TRUE(messages.empty());

  QuestionBase again;
  dir.write("kelmora.db", "Q\\abc/\n\n");
  loadMainBase(dir.path(), again, notify);
  EXPECT_EQ(again.questionCount, 2);
  ASSERT_EQ(messages.size(), 1u);
}

TEST(MainBase, LinesBeyondTheCapacityAreToldOnceAndNotCounted) {
  TempDir dir;
  std::string text;
  for (int i = 1; i <= 600; ++i)
    text += "Q" + std::to_string(i) + "\\a" + std::to_string(i) + "/\r\n";
  dir.write("kelmora.db", text);
  QuestionBase base;
  std::vector<std::string> messages;
  loadMainBase(dir.path(), base, [&](const std::string& m) { messages.push_back(m); });
  EXPECT_EQ(base.questionCount, 501);
  EXPECT_EQ(base.questionTexts[500], "Q501");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("600"), std::string::npos);
}

TEST(MainBase, AMissingFileGivesTheOpenError) {
  TempDir dir;
  QuestionBase base;
  try {
    loadMainBase(dir.path(), base, [](const std::string&) {});
    FAIL();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file kelmora.db");
  }
  EXPECT_EQ(base.questionCount, 0);
}

TEST(MainBase, BinaryGarbageLoadsWithinTheCapacity) {
  TempDir dir;
  std::mt19937 gen(7);
  std::string junk(2'000'000, '\0');
  for (auto& c : junk)
    c = static_cast<char>(gen());
  junk += std::string(100'000, '\\');  // one long line of separators
  dir.write("kelmora.db", junk);
  QuestionBase base;
  int reports = 0;
  loadMainBase(dir.path(), base, [&](const std::string&) { ++reports; });
  EXPECT_EQ(base.questionCount, 501);
  EXPECT_GT(reports, 0);
  for (const auto& text : base.questionTexts)
    EXPECT_LE(text.size(), kMaxLineLength);
}

TopicList topicsFrom(const TempDir& dir, const std::string& text,
                     std::vector<std::string>* messages = nullptr) {
  dir.write("zamen.db", cp(text));
  return loadTopicList(dir.path(), [&](const std::string& m) {
    if (messages) messages->push_back(m);
  });
}

TEST(Topics, NamesInFileOrderAndEachTopicLoadsOnlyItsBlock) {
  TempDir dir;
  const auto list = topicsFrom(dir,
                               "[История]\nКогда?\\1812/\n%\nмусор\\между/\n"
                               "[Спорт]\nСколько?\\11/\nКто?\\пеле/\n%\n");
  EXPECT_EQ(list.names(), (std::vector<std::string>{cp("История"), cp("Спорт")}));
  ReplacementBase base;
  loadTopicQuestions(list, 1, base);
  EXPECT_EQ(base.questionCount, 2);
  EXPECT_EQ(base.questionTexts[0], cp("Сколько?"));
  EXPECT_EQ(base.answerVariants[1][0].str(), cp("пеле"));
}

TEST(Topics, LineRulesOfTheReplacementBase) {
  TempDir dir;
  const auto list = topicsFrom(dir,
                               "[Тема] \n"      // name keeps "]" when the last char is a blank
                               "\\ответ/\n"     // empty question text
                               "Вопрос?\\а/\n"  // valid here, one-character variant
                               "абвгд/\n"       // no backslash: split three before the end
                               "% ab\n"         // not a terminator
                               "\n"             // empty line: not a question
                               "ab\n"           // too short to hold a question
                               "%\n");
  ASSERT_EQ(list.topics.size(), 1u);
  EXPECT_EQ(list.topics[0].name, cp("Тема]"));
  ReplacementBase base;
  loadTopicQuestions(list, 0, base);
  ASSERT_EQ(base.questionCount, 4);
  EXPECT_EQ(base.questionTexts[0], "");
  EXPECT_EQ(base.answerVariants[0][0].str(), cp("ответ"));
  EXPECT_EQ(base.answerVariants[1][0].str(), cp("а"));
  EXPECT_EQ(base.questionTexts[2], cp("абв"));
  EXPECT_EQ(slots(base.answerVariants[2]),
            (std::vector<std::string>{cp("д"), "xcode", "xcode", "xcode", "xcode"}));
  EXPECT_EQ(base.questionTexts[3], "%");
}

TEST(Topics, EmptyTopicsMissingTerminatorsAndNoTopicsAtAll) {
  TempDir dir;
  const auto list = topicsFrom(dir, "[Пусто]\n%\n[Без конца]\nQ1\\a1/\n[Дальше]\nQ2\\a2/\nQ3\\a3/");
  ReplacementBase base;
  loadTopicQuestions(list, 0, base);
  EXPECT_EQ(base.questionCount, 0);
  loadTopicQuestions(list, 1, base);
  EXPECT_EQ(base.questionCount, 1);  // stops at the next header
  EXPECT_FALSE(list.topics[1].closed);
  loadTopicQuestions(list, 2, base);
  EXPECT_EQ(base.questionCount, 2);  // runs to the end of the file

  const auto none = topicsFrom(dir, "Q\\abc/\n%\n");
  EXPECT_TRUE(none.topics.empty());
  loadTopicQuestions(none, -1, base);
  EXPECT_EQ(base.questionCount, 0);
}

TEST(Topics, RowsBeyondASmallerTopicKeepTheEarlierTopic) {
  TempDir dir;
  std::string text = "[Большая]\n";
  for (int i = 0; i < 10; ++i)
    text += "B" + std::to_string(i) + "\\b" + std::to_string(i) + "/\n";
  text += "%\n[Малая]\nS0\\s0/\nS1\\s1/\nS2\\s2/\n%\n";
  const auto list = topicsFrom(dir, text);
  ReplacementBase base;
  loadTopicQuestions(list, 0, base);
  loadTopicQuestions(list, 1, base);
  EXPECT_EQ(base.questionCount, 3);
  EXPECT_EQ(base.questionTexts[2], "S2");
  EXPECT_EQ(base.questionTexts[3], "B3");
  EXPECT_EQ(base.questionTexts[9], "B9");
}

TEST(Topics, CapacitiesAreToldOnceAndHeadersAreFoundAnywhere) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "noise\n";
  text += "[Длинная]\n";
  for (int i = 0; i < 150; ++i)
    text += "Q" + std::to_string(i) + "\\a/x\n";
  text += "%\n";
  for (int i = 0; i < 1000; ++i)
    text += "[T" + std::to_string(i) + "]\n%\n";
  std::vector<std::string> messages;
  const auto list = topicsFrom(dir, text, &messages);
  EXPECT_EQ(list.topics.size(), 1000u);
  EXPECT_EQ(list.topics[0].headerLine, 301);
  ReplacementBase base;
  loadTopicQuestions(list, 0, base);
  EXPECT_EQ(base.questionCount, 101);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("150"), std::string::npos);
}

TEST(Topics, AMissingFileGivesTheOpenError) {
  TempDir dir;
  try {
    loadTopicList(dir.path(), [](const std::string&) {});
    FAIL();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file zamen.db");
  }
}

}  // namespace
}  // namespace kelmora
