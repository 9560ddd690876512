// Every save of the game, with each of its file operations failing in turn, and with the process
// killed at each of them: the file is always the old one or the whole new one, a failure reaches
// the player as "Cannot create file <name>", and nothing is left behind that a later start-up
// does not clean up.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/files/file_error.h"
#include "core/files/file_io.h"
#include "core/files/game_files.h"
#include "core/log/game_log.h"
#include "core/players/accounts.h"
#include "core/players/records.h"
#include "test_support.h"

namespace kelmora {
namespace {

using test::TempDir;

// The hook is a plain function, so what it should do lives here.
struct Plan {
  std::vector<FileStep> seen;  // every operation, in order
  int failAt = -1;             // the index of the operation that fails ...
  bool kill = false;           // ... or at which the process dies
};
Plan plan;

int hook(FileStep step, const std::filesystem::path&) {
  const int index = static_cast<int>(plan.seen.size());
  plan.seen.push_back(step);
  if (index != plan.failAt) return 0;
  if (plan.kill) ::_exit(0);
  return step == FileStep::write ? ENOSPC : EIO;
}

class Hooked {
 public:
  explicit Hooked(int failAt, bool kill = false) {
    plan = Plan{{}, failAt, kill};
    setFaultHook(hook);
  }
  ~Hooked() { setFaultHook(nullptr); }
  Hooked(const Hooked&) = delete;
  Hooked& operator=(const Hooked&) = delete;
};

std::string accountRecord(const std::string& name) {
  std::string r(64, '\x33');
  r[0] = static_cast<char>(name.size());
  r.replace(1, name.size(), name);
  r[21] = 2;
  r.replace(22, 2, "pw");
  return r;
}

// A save as the game makes it: prepare loads the file and changes what it holds, and returns
// the save itself, whose file operations the tests count and break.
struct Save {
  const char* file;
  std::string old;
  std::function<std::function<void()>(const std::filesystem::path& dir)> prepare;

  friend void PrintTo(const Save& s, std::ostream* os) { *os << s.file; }
};

const Save kSaves[] = {
    {kAccountsFile, accountRecord("Ann") + accountRecord("Bob"),
     [](const std::filesystem::path& dir) {
       auto table = std::make_shared<AccountTable>(dir, [](const std::string&) {});
       table->loadAccounts();
       table->addAccount("Carol", "secret");
       return std::function<void()>([table] { table->saveAccounts(); });
     }},
    {kRecordsFile, std::string(RecordsTable::kFileSize, '\0'),
     [](const std::filesystem::path& dir) {
       auto table = readRecords(dir);
       insertEntry(table, 1, "Carol", "07.12.26", 50000);
       return std::function<void()>([dir, table] { writeRecords(dir, table); });
     }},
    {kLogFile, "first run\r\nsecond\nunfinished",
     [](const std::filesystem::path& dir) {
       auto log = std::make_shared<GameLog>(dir);
       log->load();
       log->appendLog("this run");
       return std::function<void()>([log] { log->closeAndSave("07.12.2026", "22:40:01"); });
     }},
};

std::vector<std::string> entries(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The save in a fresh folder holding the old file, with the hook counting from the save on.
struct Attempt {
  TempDir dir;
  std::string error;

  Attempt(const Save& save, int failAt) {
    dir.write(save.file, save.old);
    const auto run = save.prepare(dir.path());
    Hooked hooked(failAt);
    try {
      run();
    } catch (const FileError& e) {
      error = e.what();
    }
  }
};

class EverySave : public ::testing::TestWithParam<Save> {
 protected:
  // What the save writes when nothing goes wrong, and the operations it takes to do it.
  void SetUp() override {
    const Attempt clean(GetParam(), -1);
    ASSERT_EQ(clean.error, "");
    expected = clean.dir.read(GetParam().file);
    ASSERT_NE(expected, GetParam().old);
    steps = plan.seen;
    for (const auto step : {FileStep::createTemporary, FileStep::write, FileStep::sync,
                            FileStep::close, FileStep::rename, FileStep::syncDirectory}) {
      ASSERT_NE(std::find(steps.begin(), steps.end(), step), steps.end())
          << "the save never takes step " << static_cast<int>(step);
    }
  }

  bool beforeRename(std::size_t i) const {
    return std::find(steps.begin(), steps.begin() + static_cast<long>(i), FileStep::rename) ==
               steps.begin() + static_cast<long>(i) &&
           steps[i] != FileStep::syncDirectory;
  }

  std::string expected;
  std::vector<FileStep> steps;
};

TEST_P(EverySave, AFailingStepLeavesTheOldFileOrTheNewOneAndSaysSo) {
  const Save& save = GetParam();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("operation " + std::to_string(i) + ", step " +
                 std::to_string(static_cast<int>(steps[i])));
    const Attempt attempt(save, static_cast<int>(i));
    const std::string now = attempt.dir.read(save.file);
    if (steps[i] == FileStep::openForReading || steps[i] == FileStep::read) {
      // Only the log reads its old content while saving; if it cannot, the old log stays and
      // this run's lines go beside it.
      EXPECT_EQ(attempt.error, "");
      EXPECT_EQ(now, save.old);
      EXPECT_EQ(entries(attempt.dir.path()), (std::vector<std::string>{"log-1.txt", "log.txt"}));
      continue;
    }
    EXPECT_EQ(attempt.error, std::string("Cannot create file ") + save.file);
    EXPECT_EQ(now, beforeRename(i) ? save.old : expected);
    EXPECT_EQ(entries(attempt.dir.path()), std::vector<std::string>{save.file});
  }
}

TEST_P(EverySave, AProcessKilledAtAnyStepLeavesAWholeFileAndOnlyLeftoversOfItsOwn) {
  const Save& save = GetParam();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("operation " + std::to_string(i) + ", step " +
                 std::to_string(static_cast<int>(steps[i])));
    TempDir dir;
    dir.write(save.file, save.old);
    const auto run = save.prepare(dir.path());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Hooked hooked(static_cast<int>(i), true);
      try {
        run();
      } catch (...) {
      }
      ::_exit(3);  // the hook should have ended the process before this
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(dir.read(save.file), beforeRename(i) ? save.old : expected);
    removeStaleTemporaries(dir.path());
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{save.file});
  }
}

INSTANTIATE_TEST_SUITE_P(GameFiles, EverySave, ::testing::ValuesIn(kSaves), [](const auto& info) {
  std::string name = info.param.file;
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
});

}  // namespace
}  // namespace kelmora

namespace kelmora {
namespace {

// Where a file is rewritten or extended where it lies (a folder that takes no new file), every
// step that fails leaves exactly the old bytes: the open, the reservation of space, the write,
// the flush.
TEST(InPlaceSaves, AFailingStepLeavesTheOldBytes) {
  const std::string old = "old line\r\n";
  const struct {
    const char* name;
    std::function<bool(const std::filesystem::path&)> save;
  } saves[] = {
      {"rewrite", [](const auto& file) { return rewriteInPlace(file, std::string(5000, 'n')); }},
      {"append", [](const auto& file) { return appendInPlace(file, std::string(5000, 'n')); }},
  };
  for (const auto& s : saves) {
    TempDir dir;
    dir.write("log.txt", old);
    std::vector<FileStep> steps;
    {
      Hooked counting(-1);
      ASSERT_TRUE(s.save(dir / "log.txt")) << s.name;
      steps = plan.seen;
    }
    for (const FileStep step :
         {FileStep::openInPlace, FileStep::reserve, FileStep::write, FileStep::sync}) {
      ASSERT_NE(std::find(steps.begin(), steps.end(), step), steps.end()) << s.name;
    }
    for (int i = 0; i < static_cast<int>(steps.size()); ++i) {
      if (steps[static_cast<std::size_t>(i)] == FileStep::close) continue;  // the bytes are out
      dir.write("log.txt", old);
      Hooked failing(i);
      EXPECT_FALSE(s.save(dir / "log.txt")) << s.name << " step " << i;
      EXPECT_EQ(dir.read("log.txt"), old) << s.name << " step " << i;
    }
  }
}

}  // namespace
}  // namespace kelmora
