#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/files/text_file.h"
#include "core/text/cp1251.h"
#include "core/text/one_line.h"
#include "core/text/short_string.h"
#include "test_support.h"

namespace kelmora {
namespace {

using test::TempDir;

TEST(CodePage, EveryByteSurvivesARoundTripThroughUnicode) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all.push_back(static_cast<char>(b));
  EXPECT_EQ(toCp1251(toUtf8(all)), all);
}

TEST(CodePage, KnownCharactersSitAtTheirCodes) {
  const struct {
    const char* utf8;
    unsigned char byte;
  } cases[] = {{"А", 0xC0}, {"Я", 0xDF}, {"а", 0xE0}, {"я", 0xFF}, {"Ё", 0xA8},
               {"ё", 0xB8}, {"№", 0xB9}, {"«", 0xAB}, {"—", 0x97}, {"€", 0x88}};
  for (const auto& c : cases) {
    const std::string bytes = toCp1251(c.utf8);
    ASSERT_EQ(bytes.size(), 1u) << c.utf8;
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), c.byte) << c.utf8;
  }
}

TEST(CodePage, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(toCp1251("a😀b"), "a?b");
  EXPECT_EQ(toCp1251("ü→"), "??");
  EXPECT_EQ(toCp1251(std::string("x\xFF\xC3y")), "x??y");  // broken UTF-8
  EXPECT_EQ(toCp1251(std::string("\xE2\x82")), "??");      // each stray byte of a cut sequence
}

TEST(CodePage, EncodesEachLengthOfUtf8AtItsEdges) {
  const struct {
    char32_t ch;
    const char* utf8;
  } cases[] = {{0x7F, "\x7F"},    {0x80, "\u0080"},        {0x7FF, "\u07FF"},
               {0x800, "\u0800"}, {0xFFFD, "\uFFFD"},      {0x10000, "\U00010000"},
               {0x1F600, "😀"},    {0x10FFFF, "\U0010FFFF"}};
  for (const auto& c : cases) {
    std::string out = "x";
    appendUtf8(out, c.ch);
    EXPECT_EQ(out, std::string("x") + c.utf8) << std::hex << static_cast<unsigned>(c.ch);
  }
}

TEST(CodePage, LiteralsAreConvertedAtCompileTime) {
  constexpr std::string_view word = "Ёлка №1"_cp;
  static_assert(word.size() == 7);
  EXPECT_EQ(word, toCp1251("Ёлка №1"));
}

TEST(ShortStringField, CutsToCapacityAndKeepsBytesPastTheLength) {
  ShortString<5> s("abcdefgh");
  EXPECT_EQ(s.view(), "abcde");
  s.assign("xy");
  EXPECT_EQ(s.view(), "xy");
  const ShortString<5>::Bytes expected = {2, 'x', 'y', 'c', 'd', 'e'};
  EXPECT_EQ(s.bytes(), expected);
}

TEST(ShortStringField, ADamagedLengthByteNeverReadsPastTheField) {
  const std::uint8_t raw[] = {200, 'a', 'b', 'c'};
  const auto s = ShortString<3>::fromBytes(raw);
  EXPECT_EQ(s.view(), "abc");
  EXPECT_EQ(s.bytes()[0], 200);  // written back as it was read
}

TEST(OneLine, OnlyTheThirtyThreeControlBytesBecomeBlanks) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all.push_back(static_cast<char>(b));
  const std::string line = oneLine(all);
  ASSERT_EQ(line.size(), 256u);
  EXPECT_EQ(line.substr(0, 0x21), std::string(0x21, ' '));
  EXPECT_EQ(line.substr(0x21, 0x7F - 0x21), all.substr(0x21, 0x7F - 0x21));
  EXPECT_EQ(line[0x7F], ' ');
  EXPECT_EQ(line.substr(0x80), all.substr(0x80));  // the code page's letters, 0x98 included
  EXPECT_EQ(oneLine("a\r\nb"), "a  b");
}

struct LinesCase {
  std::string text;
  std::vector<std::string> lines;
  bool endsWithBreak;

  friend void PrintTo(const LinesCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.text);
  }
};

class TextLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(TextLines, SplitLikeTheGameReadsItsFiles) {
  const auto& c = GetParam();
  EXPECT_EQ(splitLines(c.text), c.lines);

  TempDir dir;
  dir.write("f.txt", c.text);
  LineReader reader(dir / "f.txt");
  std::vector<std::string> streamed;
  std::string line;
  while (reader.next(line))
    streamed.push_back(line);
  EXPECT_EQ(streamed, c.lines);
  EXPECT_EQ(reader.endedWithBreak(), c.endsWithBreak);
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, TextLines,
    ::testing::Values(LinesCase{"", {}, true}, LinesCase{"a", {"a"}, false},
                      LinesCase{"a\r\n", {"a"}, true}, LinesCase{"a\r\nb", {"a", "b"}, false},
                      LinesCase{"a\rb\nc", {"a", "b", "c"}, false}, LinesCase{"\n", {""}, true},
                      LinesCase{"\r\n\r\n", {"", ""}, true},
                      LinesCase{"a\n\rb", {"a", "", "b"}, false},
                      LinesCase{"a\r\r\nb", {"a", "", "b"}, false},
                      LinesCase{std::string("x\0y\n", 4), {std::string("x\0y", 3)}, true}));

TEST(LineReaderFile, HandlesACrLfSplitAcrossItsBufferAndLongLines) {
  TempDir dir;
  std::string text(64 * 1024 - 1, 'q');
  text += "\r\nnext\r\n";
  text += std::string(1'000'000, 'z');
  dir.write("big.txt", text);

  LineReader reader(dir / "big.txt", 10);
  std::string line;
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line, "qqqqqqqqqq");
  EXPECT_TRUE(reader.truncated());
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line, "next");
  EXPECT_FALSE(reader.truncated());
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line.size(), 10u);
  EXPECT_FALSE(reader.next(line));
}

// The help window shows the first megabyte and says when there was more: a help file of
// exactly that size is shown whole, without a note that something was left out.
TEST(LineReaderFile, TheStartOfAFileIsCutOnlyWhenThereIsMore) {
  TempDir dir;
  for (const auto& [size, cut] :
       {std::pair{15u, false}, std::pair{16u, false}, std::pair{17u, true}}) {
    dir.write("help.txt", std::string(size - 2, 'h') + "\r\n");
    const TextStart start = readStartOf(dir / "help.txt", 16);
    EXPECT_EQ(start.cut, cut) << size;
    ASSERT_FALSE(start.lines.empty()) << size;
    EXPECT_EQ(start.lines[0], std::string(std::min(size - 2, 16u), 'h')) << size;
  }
}

TEST(LineReaderFile, MissingOrUnreadableFilesGiveThePlayersMessage) {
  TempDir dir;
  try {
    LineReader reader(dir / "kelmora.db");
    FAIL();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file kelmora.db");
  }
  std::filesystem::create_directory(dir / "zamen.db");
  EXPECT_THROW(readLines(dir / "zamen.db"), FileError);
}

TEST(Atomic, ReplacesWholeAndLeavesNoTemporaryFiles) {
  TempDir dir;
  dir.write("res.res", "old");
  writeFileAtomically(dir / "res.res", "new content");
  EXPECT_EQ(dir.read("res.res"), "new content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Atomic, AnUncommittedWriteLeavesTheOldFile) {
  TempDir dir;
  dir.write("res.res", "old");
  {
    AtomicFile file(dir / "res.res");
    file.write("half");
  }
  EXPECT_EQ(dir.read("res.res"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Atomic, PermissionsAreForcedOrKept) {
  TempDir dir;
  writeFileAtomically(dir / "account.ini", "x", 0600);
  struct stat st {};
  ASSERT_EQ(::stat((dir / "account.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  dir.write("res.res", "a");
  ::chmod((dir / "res.res").c_str(), 0640);
  writeFileAtomically(dir / "res.res", "b");
  ASSERT_EQ(::stat((dir / "res.res").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(Atomic, AFileThatCannotBeCreatedGivesThePlayersMessage) {
  TempDir dir;
  try {
    writeFileAtomically(dir / "no-such-dir" / "log.txt", "x");
    FAIL();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "Cannot create file log.txt");
  }
}

}  // namespace
}  // namespace kelmora
