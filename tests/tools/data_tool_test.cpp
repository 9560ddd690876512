#include "data/data_tool.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/players/records.h"
#include "core/text/cp1251.h"
#include "tools_test_support.h"

namespace kelmora::tools {
namespace {

using test::TempDir;

TEST(Encode, ConvertsEveryLineToTheCodePageWithCrLf) {
  const std::string source = "Привет, мир\nЁлка — «ёж» №5\n\nlast";
  const EncodeResult r = encodeLines(source);
  ASSERT_TRUE(r.problems.empty());
  EXPECT_EQ(r.bytes, toCp1251("Привет, мир") + "\r\n" + toCp1251("Ёлка — «ёж» №5") + "\r\n\r\n" +
                         "last\r\n");
  EXPECT_EQ(toUtf8(r.bytes), "Привет, мир\r\nЁлка — «ёж» №5\r\n\r\nlast\r\n");
}

TEST(Encode, AcceptsCrLfSourcesAndDropsALeadingByteOrderMark) {
  EXPECT_EQ(encodeLines("\xEF\xBB\xBFда\r\nнет\r\n").bytes, toCp1251("да\r\nнет\r\n"));
  EXPECT_EQ(encodeLines("").bytes, "");
}

struct BadCase {
  const char* name;
  std::string source;
  int line;
  int column;
  std::string fragment;
  friend void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }
};

class EncodeFailure : public ::testing::TestWithParam<BadCase> {};

TEST_P(EncodeFailure, NamesTheLineAndWritesNothing) {
  const auto& c = GetParam();
  const EncodeResult r = encodeLines(c.source);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].line, c.line);
  EXPECT_EQ(r.problems[0].column, c.column);
  EXPECT_NE(r.problems[0].message.find(c.fragment), std::string::npos) << r.problems[0].message;
  EXPECT_EQ(r.bytes, "");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, EncodeFailure,
    ::testing::Values(BadCase{"CheckMark", "ok\nда ✓\n", 2, 4, "«✓» (U+2713) не входит"},
                      BadCase{"Emoji", "😀", 1, 1, "«😀» (U+1F600)"},
                      BadCase{"ByteOrderMarkInside", "а\xEF\xBB\xBF", 1, 2, "U+FEFF"},
                      BadCase{"StrayByte", "ab\n\xFFz", 2, 1, "не в кодировке UTF-8 (байт 0xFF)"},
                      BadCase{"Cp1251Text", "\xCF\xF0\xE8", 1, 1, "байт 0xCF"},
                      BadCase{"Overlong", "\xC0\xAF", 1, 1, "UTF-8"},
                      BadCase{"Surrogate", "x\xED\xA0\x80", 1, 2, "UTF-8"},
                      BadCase{"CutSequence", "\xD0", 1, 1, "UTF-8"}));

TEST(BlankRecords, IsThreeThousandSixHundredZeroBytesTheGameReadsAsEmpty) {
  const std::string bytes = blankRecords();
  EXPECT_EQ(bytes, std::string(3600, '\0'));
  TempDir dir;
  dir.write("res.res", bytes);
  const RecordsTable table = readRecords(dir.path());
  for (const auto& e : table.entries) {
    EXPECT_TRUE(e.name.empty());
    EXPECT_EQ(e.winnings, 0);
  }
}

struct ToolRun {
  int status;
  std::string err;
  std::string out;
};

ToolRun runTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = runDataTool(args, out, err);
  return {status, err.str(), out.str()};
}

TEST(DataTool, EncodeWritesTheFileAndFailsWithoutTouchingIt) {
  TempDir dir;
  dir.write("in.txt", "Вопрос?\\ответ/\n");
  const std::string in = (dir / "in.txt").string();
  const std::string out = (dir / "out.db").string();
  EXPECT_EQ(runTool({"encode", in, out}).status, 0);
  EXPECT_EQ(dir.read("out.db"), toCp1251("Вопрос?\\ответ/") + "\r\n");

  dir.write("in.txt", "хорошо\nплохо ✓\n");
  const ToolRun bad = runTool({"encode", in, out});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find(in + ":2: ошибка: символ «✓»"), std::string::npos) << bad.err;
  EXPECT_NE(bad.err.find("не записан"), std::string::npos);
  EXPECT_EQ(dir.read("out.db"), toCp1251("Вопрос?\\ответ/") + "\r\n");
}

// A binary file handed over by mistake: the author reads the first problems and how many
// more there are, not thousands of lines.
TEST(DataTool, ManyProblemsShowTheFirstTwentyAndCountTheRest) {
  TempDir dir;
  std::string source;
  for (int i = 0; i < 25; ++i)
    source += "плохо ✓\n";
  dir.write("in.txt", source);
  const std::string in = (dir / "in.txt").string();
  const ToolRun r = runTool({"encode", in, (dir / "out.db").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(in + ":20: ошибка"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find(in + ":21: ошибка"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(in + ": и ещё ошибок: 5\n"), std::string::npos) << r.err;
  EXPECT_FALSE(dir.exists("out.db"));
}

TEST(DataTool, BadUseAndUnreadableOrUnwritableFilesAreStatusTwo) {
  TempDir dir;
  dir.write("in.txt", "да\n");
  const std::string in = (dir / "in.txt").string();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {},
           {"encode", in},
           {"convert", in, "x"},
           {"encode", (dir / "missing.txt").string(), (dir / "x").string()},
           {"encode", dir.path().string(), (dir / "x").string()},
           {"encode", in, (dir / "no-such-dir" / "x").string()},
           {"blank-records", (dir / "no-such-dir" / "res.res").string()}}) {
    const ToolRun r = runTool(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_FALSE(dir.exists("x"));
}

TEST(DataTool, VersionNamesTheLicences) {
  const ToolRun r = runTool({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("kelmora-data (Кельмора) ")) << r.out;
  EXPECT_NE(r.out.find("GPL-3.0-or-later"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("CC BY-SA 4.0"), std::string::npos) << r.out;
}

TEST(DataTool, TheBuiltProgramGivesTheSameStatuses) {
  TempDir dir;
  dir.write("good.txt", "Ёж\n");
  dir.write("bad.txt", "€ ok, ₽ not\n");
  const std::string tool = KELMORA_DATA_TOOL;
  const auto quiet = [](const std::string& cmd) { return cmd + " >/dev/null 2>&1"; };
  EXPECT_EQ(test::exitCodeOf(quiet("'" + tool + "' encode '" + (dir / "good.txt").string() + "' '" +
                                   (dir / "good.db").string() + "'")),
            0);
  EXPECT_EQ(dir.read("good.db"), "\xA8\xE6\r\n");
  EXPECT_EQ(test::exitCodeOf(quiet("'" + tool + "' encode '" + (dir / "bad.txt").string() + "' '" +
                                   (dir / "bad.db").string() + "'")),
            2);
  EXPECT_FALSE(dir.exists("bad.db"));
  EXPECT_EQ(
      test::exitCodeOf(quiet("'" + tool + "' blank-records '" + (dir / "res.res").string() + "'")),
      0);
  EXPECT_EQ(dir.read("res.res"), std::string(3600, '\0'));
}

}  // namespace
}  // namespace kelmora::tools
