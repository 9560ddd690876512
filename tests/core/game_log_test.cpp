#include "core/log/game_log.h"

#include <gtest/gtest.h>

#include "core/text/file_error.h"
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
               {std::string("x\0y", 3), std::string("x\0y\r\n", 5)}};
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
