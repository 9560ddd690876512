#include "check/check_cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools_test_support.h"

namespace kelmora::check {
namespace {

using test::cpLines;
using test::TempDir;

std::vector<std::string> mainBase(int n) {
  std::vector<std::string> lines;
  for (int i = 0; i < n; ++i)
    lines.push_back("Вопрос " + std::to_string(i) + "?\\ответ" + std::to_string(i) + "/");
  return lines;
}

const std::vector<std::string> kTopics = {"[История]", "В?\\а/", "Г?\\б/", "Д?\\в/", "%"};

struct CheckRun {
  int status;
  std::string out;
  std::string err;
};

CheckRun run(const TempDir& dir, const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = runCheck(args, dir.path(), out, err);
  return {status, out.str(), err.str()};
}

struct StatusCase {
  const char* name;
  std::vector<std::string> main;    // kelmora.db
  std::vector<std::string> topics;  // zamen.db
  int status;
  std::string lastLine;
  friend void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }
};

class CheckStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(CheckStatus, TellsCleanWarningsAndErrorsApart) {
  const auto& c = GetParam();
  TempDir dir;
  dir.write("kelmora.db", cpLines(c.main));
  dir.write("zamen.db", cpLines(c.topics));
  const CheckRun r = run(dir, {});
  EXPECT_EQ(r.status, c.status) << r.out;
  EXPECT_TRUE(r.out.ends_with(c.lastLine + "\n")) << r.out;
  EXPECT_EQ(r.err, "");

  // The real program gives the same status from the current directory.
  const std::string command =
      "cd '" + dir.path().string() + "' && '" KELMORA_CHECK_TOOL "' >/dev/null 2>&1";
  EXPECT_EQ(test::exitCodeOf(command), c.status);
}

std::vector<std::string> plus(std::vector<std::string> lines, const std::string& more) {
  lines.push_back(more);
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Bases, CheckStatus,
    ::testing::Values(StatusCase{"Clean", mainBase(25), kTopics, 0, "Всё в порядке."},
                      StatusCase{"Warning", plus(mainBase(25), "Вопрос?\\ответ"), kTopics, 1,
                                 "Итого: 0 ошибок, 1 предупреждение, 0 замечаний."},
                      StatusCase{"Errors",
                                 plus(mainBase(25), "ошибка"),
                                 {"[А]", "В?\\Б/"},
                                 2,
                                 "Итого: 3 ошибки, 1 предупреждение, 0 замечаний."},
                      // A build that stops on status 2 must not take a broken base because
                      // the last thing found happened to be a warning.
                      StatusCase{"WarningAfterAnError",
                                 plus(plus(mainBase(25), "ошибка"), "Вопрос?\\ответ"), kTopics, 2,
                                 "Итого: 1 ошибка, 1 предупреждение, 0 замечаний."},
                      StatusCase{"NotesOnly", plus(mainBase(25), "В каком году?\\1941/"), kTopics,
                                 0, "Итого: 0 ошибок, 0 предупреждений, 1 замечание."},
                      StatusCase{"RepeatAcrossFiles", plus(mainBase(25), "В?\\ааа/"), kTopics, 1,
                                 "Итого: 0 ошибок, 1 предупреждение, 0 замечаний."}));

TEST(CheckCli, MissingFilesAreErrorsWithTheirNames) {
  TempDir dir;
  const CheckRun r = run(dir, {});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out,
            "kelmora.db: ошибка: файл не найден\n"
            "zamen.db: ошибка: файл не найден\n"
            "Итого: 2 ошибки, 0 предупреждений, 0 замечаний.\n");
}

TEST(CheckCli, FindingLinesCarryTheNameAsGivenAndTheLineNumber) {
  TempDir dir;
  dir.write("kelmora.db", cpLines(plus(mainBase(25), "Вопрос?\\Ответ/")));
  const std::string file = (dir / "kelmora.db").string();
  const CheckRun r = run(dir, {file});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.starts_with(file + ":26: ошибка: вариант «Ответ» никогда не совпадёт"))
      << r.out;
}

TEST(CheckCli, RepeatIsReportedInTheTopicsWhateverTheOrderOfTheFiles) {
  TempDir dir;
  dir.write("kelmora.db", cpLines(plus(mainBase(25), "В?\\ааа/")));
  dir.write("topics.txt", cpLines(kTopics));
  const std::string main = (dir / "kelmora.db").string();
  const std::string topics = (dir / "topics.txt").string();
  const std::string expected =
      topics + ":2: предупреждение: тот же вопрос уже есть в " + main + ", в строке 26\n";
  for (const auto& args : std::vector<std::vector<std::string>>{
           {main, topics}, {topics, main}, {"--topics", topics, "--main", main}}) {
    const CheckRun r = run(dir, args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(expected), std::string::npos) << r.out;
  }
}

TEST(CheckCli, BadUseIsStatusTwoWithAMessage) {
  TempDir dir;
  for (const auto& args : std::vector<std::vector<std::string>>{{"--verbose"}, {"--main"}}) {
    const CheckRun r = run(dir, args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("kelmora-check: "), std::string::npos) << r.err;
  }
}

TEST(CheckCli, HelpListsErrorsAndWarnings) {
  TempDir dir;
  const CheckRun r = run(dir, {"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Ошибки"), std::string::npos);
  EXPECT_NE(r.out.find("Предупреждения"), std::string::npos);
  EXPECT_NE(r.out.find("Замечания"), std::string::npos);
  EXPECT_NE(r.out.find("--dump"), std::string::npos);
  EXPECT_NE(r.out.find("--try ФАЙЛ СТРОКА ОТВЕТ"), std::string::npos);
  EXPECT_NE(r.out.find("римских цифр"), std::string::npos);
  EXPECT_NE(r.out.find("косвенном падеже"), std::string::npos);
}

TEST(CheckCli, OtherNamesAreRecognisedByContentOrByOption) {
  TempDir dir;
  // Valid as topics; as a main base its header line is erroneous.
  dir.write("topics.txt", cpLines(kTopics));
  const std::string file = (dir / "topics.txt").string();
  EXPECT_EQ(run(dir, {file}).status, 0);
  const CheckRun forced = run(dir, {"--main", file});
  EXPECT_EQ(forced.status, 2);
  EXPECT_NE(forced.out.find(file + ":1: ошибка: игра сообщит"), std::string::npos) << forced.out;

  dir.write("main.txt", cpLines(mainBase(25)));
  const std::string main = (dir / "main.txt").string();
  EXPECT_EQ(run(dir, {main}).status, 0);
  EXPECT_EQ(run(dir, {"--topics", main}).status, 1);  // every line lies outside a topic
}

TEST(CheckCli, DumpShowsWhatTheGameStores) {
  TempDir dir;
  auto main = mainBase(25);
  main[0] = "Кто?\\абвгдежзийклмнопрстуфхцчшщ петр/";
  dir.write("kelmora.db", cpLines(main));
  dir.write("zamen.db", cpLines(kTopics));
  const CheckRun r = run(dir, {"--dump"});
  EXPECT_NE(r.out.find("== kelmora.db: основная база, 25 вопросов ==\n"
                       "0: Кто?\n"
                       "   ответы: «абвгдежзийклмнопрстуфхцч» «петр» «xcode» «xcode» «xcode»\n"
                       "1: Вопрос 1?\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("== zamen.db: база замен, 1 тема ==\n"
                       "-- тема 0: «История» (строка 1), 3 вопроса --\n"
                       "0: В?\n"
                       "   ответы: «а» «xcode» «xcode» «xcode» «xcode»\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("kelmora.db:1: ошибка: вариант «абвгдежзийклмнопрстуфхцчшщ» длиннее"),
            std::string::npos);
  EXPECT_EQ(r.status, 2);
}

// An answer tried the way a player types it, against the question of one line, in a base as
// the game reads it and in its UTF-8 source alike.
TEST(CheckCli, TryJudgesATypedAnswerAsTheGameDoes) {
  TempDir dir;
  auto main = mainBase(25);
  main[3] = "Кто был первым российским императором?\\петр петр1 петрI петрi петрпервый/";
  main[5] = "ошибка";
  dir.write("kelmora.db", cpLines(main));
  std::string source;
  for (const auto& line : main)
    source += line + "\n";
  dir.write("kelmora.txt", source);
  dir.write("zamen.db", cpLines({"[История]", "Кого призвали княжить?\\рюрик рюрика/", "%"}));
  const struct {
    std::string file;
    std::string line;
    std::string typed;
    int status;
    std::string says;  // on stdout for 0 and 1, on stderr for 2
  } cases[] = {
      {"kelmora.db", "4", "Пётр I", 0,
       "ответ «Пётр I» игра сравнивает как «петрI»: верно, "
       "совпал вариант 3 «петрI»\n"},
      {"kelmora.db", "4", "ПЁТР-1", 0, "совпал вариант 2 «петр1»"},
      {"kelmora.txt", "4", "Пётр I", 0,
       "kelmora.txt:4: Кто был первым российским императором?\n"
       "   ответы: «петр» «петр1» «петрI» «петрi» «петрпервый»\n"},
      {"kelmora.db", "4", "Пётр Великий", 1, "«петрвеликий»: неверно, ни один вариант не совпал"},
      {"kelmora.db", "1", "xcode", 0, "совпал вариант 2 «xcode»"},
      {"zamen.db", "2", "Рюрика", 0, "совпал вариант 2 «рюрика»"},
      {"zamen.db", "1", "История", 2, "на этой строке нет вопроса темы"},
      {"kelmora.db", "6", "ошибка", 2, "игра считает эту строку ошибочной"},
      {"kelmora.db", "26", "ответ", 2, "в файле нет такой строки (25 строк)"},
      {"missing.db", "1", "ответ", 2, "missing.db: ошибка: файл не найден"},
      {"kelmora.db", "0", "ответ", 2, "номер строки — целое число от 1, а не «0»"},
      {"kelmora.db", "4x", "ответ", 2, "а не «4x»"},
  };
  for (const auto& c : cases) {
    const std::string file = (dir / c.file).string();
    const CheckRun r = run(dir, {"--try", file, c.line, c.typed});
    EXPECT_EQ(r.status, c.status) << c.file << ":" << c.line << " " << c.typed << "\n" << r.out;
    const std::string& said = c.status == 2 ? r.err : r.out;
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
  }
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--try", "kelmora.db", "4"}, {"--try", "kelmora.db", "4", "a", "zamen.db"}}) {
    const CheckRun r = run(dir, args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
  }
}

TEST(CheckCli, VersionNamesTheLicences) {
  TempDir dir;
  const CheckRun r = run(dir, {"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("kelmora-check (Кельмора) ")) << r.out;
  EXPECT_NE(r.out.find("GPL-3.0-or-later"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("CC BY-SA 4.0"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace kelmora::check
