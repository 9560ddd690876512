#include "core/log/game_log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "core/files/file_error.h"
#include "core/files/text_file.h"
#include "test_support.h"

namespace kelmora {
namespace {

using test::cp;
using test::TempDir;

const std::string kClosing =
    cp("[Завершение работы] 07.12.2026 22:40:01\r\n") + std::string(61, '=') + "\r\n";

TEST(GameLogFile, AMissingLogIsReportedAndCreatedAtTheEnd) {
  TempDir dir;
  GameLog log(dir.path());
  try {
    log.load();
    FAIL();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file log.txt");
  }
  log.appendLog(cp("Колличество вопросов - 3"));
  EXPECT_EQ(log.closeAndSave("07.12.2026", "22:40:01"), dir / "log.txt");
  EXPECT_EQ(dir.read("log.txt"), cp("Колличество вопросов - 3\r\n") + kClosing);
}

TEST(GameLogFile, OldLinesComeFirstWithCrLfAndAnUnfinishedLastLineIsEnded) {
  const struct {
    std::string old;
    std::string kept;
  } cases[] = {{"a\r\nb", "a\r\nb\r\n"},
               {"a\nb\n", "a\r\nb\r\n"},
               {"a\r\n\r\n", "a\r\n\r\n"},
               {"", ""},
               {std::string("x\0y", 3), std::string("x\0y\r\n", 5)},
               // A CR LF, and a CR then an LF of the next line, split across the copy's chunks.
               {std::string(65535, 'q') + "\r\nz", std::string(65535, 'q') + "\r\nz\r\n"},
               {std::string(65536, 'q') + "\n\rz\r", std::string(65536, 'q') + "\r\n\r\nz\r\n"}};
  for (const auto& c : cases) {
    TempDir dir;
    dir.write("log.txt", c.old);
    GameLog log(dir.path());
    log.load();
    log.appendLog("new");
    log.closeAndSave("07.12.2026", "22:40:01");
    EXPECT_EQ(dir.read("log.txt"), c.kept + "new\r\n" + kClosing);
  }
}

TEST(GameLogLines, AnAppendedTextIsAlwaysOneLine) {
  TempDir dir;
  GameLog log(dir.path());
  log.appendLog(std::string("[A] - a\r\n[P]\0\x1F\x7F\tb", 17));
  log.appendLog(cp("обычная строка"));
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"[A] - a  [P]    b", cp("обычная строка")}));
  log.closeAndSave("07.12.2026", "22:40:01");
  EXPECT_EQ(readLines(dir / "log.txt").size(), 4u);
}

// The peak memory of this process grows by this many kilobytes while action runs in a child.
long peakGrowthInChild(const std::function<void()>& action) {
  int out[2];
  if (::pipe(out) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    action();
    ::getrusage(RUSAGE_SELF, &after);
    const long growth = after.ru_maxrss - before.ru_maxrss;
    [[maybe_unused]] const auto n = ::write(out[1], &growth, sizeof growth);
    ::_exit(0);
  }
  ::close(out[1]);
  long growth = -1;
  if (::read(out[0], &growth, sizeof growth) != sizeof growth) growth = -1;
  ::close(out[0]);
  ::waitpid(pid, nullptr, 0);
  return growth;
}

TEST(GameLogFile, AHugeLogWithoutALineBreakIsCopiedInBoundedMemory) {
  constexpr std::size_t kSize = 64u << 20;
  TempDir dir;
  {
    std::ofstream out(dir / "log.txt", std::ios::binary);
    const std::string block(1 << 20, 'w');
    for (std::size_t written = 0; written < kSize; written += block.size())
      out << block;
  }
  const long growth = peakGrowthInChild([&] {
    GameLog log(dir.path());
    log.load();
    log.appendLog("new");
    log.closeAndSave("07.12.2026", "22:40:01");
  });
  ASSERT_GE(growth, 0);
  EXPECT_LT(growth, 16 * 1024) << "kilobytes";

  const std::string tail = "w\r\nnew\r\n" + kClosing;
  EXPECT_EQ(std::filesystem::file_size(dir / "log.txt"), kSize - 1 + tail.size());
  std::ifstream in(dir / "log.txt", std::ios::binary);
  in.seekg(static_cast<std::streamoff>(kSize - 1));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), tail);
}

TEST(GameLogFile, AnUnreadableLogIsNeverOverwritten) {
  TempDir dir;
  std::filesystem::create_directory(dir / "log.txt");
  dir.write("log-1.txt", "earlier run");
  GameLog log(dir.path());
  EXPECT_THROW(log.load(), FileError);
  log.appendLog("line");
  EXPECT_EQ(log.closeAndSave("07.12.2026", "22:40:01"), dir / "log-2.txt");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "log.txt"));
  EXPECT_EQ(dir.read("log-1.txt"), "earlier run");
  EXPECT_EQ(dir.read("log-2.txt"), "line\r\n" + kClosing);
}

}  // namespace
}  // namespace kelmora
