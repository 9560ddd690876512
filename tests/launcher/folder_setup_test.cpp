#include "launcher/folder_setup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "as_nobody.h"
#include "core/files/file_io.h"
#include "core/files/game_files.h"
#include "core/files/temporary_files.h"

namespace kelmora::launcher {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

unsigned modeOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Every entry below a directory with its bytes (or a marker for anything not a regular file),
// to prove that a refused start changed nothing.
std::map<std::string, std::string> snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  if (!fs::exists(fs::symlink_status(root))) return entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string name = fs::relative(entry.path(), root).string();
    auto status = entry.symlink_status();
    entries[name] = fs::is_regular_file(status) ? readFile(entry.path())
                    : fs::is_directory(status)  ? "<dir>"
                                                : "<other>";
  }
  return entries;
}

std::vector<std::string_view> gameFiles(bool shipped) {
  std::vector<std::string_view> names;
  for (const GameFile& file : kGameFiles) {
    if (file.shipped == shipped) names.push_back(file.name);
  }
  return names;
}
const std::vector<std::string_view> kShipped = gameFiles(true);
const std::vector<std::string_view> kStartedEmpty = gameFiles(false);

class FolderSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldMask_ = ::umask(022);
    std::random_device random;
    root_ = fs::temp_directory_path() / ("kelmora-folder-test-" + std::to_string(random()));
    fs::create_directories(defaults_ = root_ / "defaults");
    for (std::string_view name : kShipped) {
      // Installed defaults are read-only to the player; the copies must not be.
      writeFile(defaults_ / name, "shipped " + std::string(name) + "\r\n");
      fs::permissions(defaults_ / name, fs::perms(0444));
    }
    folder_ = root_ / "home/.local/share/kelmora";
  }
  void TearDown() override {
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root_);
    ::umask(oldMask_);
  }

  mode_t oldMask_ = 0;
  fs::path root_, defaults_, folder_;
};

TEST_F(FolderSetupTest, FirstStartCreatesAPrivateFolderWithEveryFileWritable) {
  prepareGameFolder(folder_, defaults_);

  EXPECT_EQ(modeOf(folder_), 0700u);
  EXPECT_EQ(modeOf(root_ / "home/.local"), 0700u);
  for (std::string_view name : kShipped) {
    EXPECT_EQ(readFile(folder_ / name), readFile(defaults_ / name)) << name;
    EXPECT_EQ(modeOf(folder_ / name), 0644u) << name;
  }
  EXPECT_EQ(fs::file_size(folder_ / "log.txt"), 0u);
  EXPECT_EQ(modeOf(folder_ / "log.txt"), 0644u);
  EXPECT_EQ(fs::file_size(folder_ / "account.ini"), 0u);
  EXPECT_EQ(modeOf(folder_ / "account.ini"), 0600u);
  // Six files and no leftovers of the copying.
  EXPECT_EQ(snapshot(folder_).size(), kGameFiles.size());
}

TEST_F(FolderSetupTest, AFileThatIsThereIsKeptAndOnlyMissingOnesAreAdded) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;  // the player's files
  };
  const Case cases[] = {
      {"an empty folder", {}},
      {"a folder of an older version, without account.ini",
       {{"kelmora.db", "edited by the player"}, {"res.res", "records"}, {"log.txt", "old log"}}},
      {"a complete folder",
       {{"kelmora.db", "a"},
        {"zamen.db", "b"},
        {"res.res", "c"},
        {"help.txt", "d"},
        {"log.txt", "e"},
        {"account.ini", "f"}}},
      {"empty files of the player's own", {{"help.txt", ""}, {"zamen.db", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::permissions(folder_, fs::perms(0750));
    for (const auto& [name, bytes] : c.before) {
      writeFile(folder_ / name, bytes);
      fs::permissions(folder_ / name, fs::perms(0640));
    }

    prepareGameFolder(folder_, defaults_);

    EXPECT_EQ(modeOf(folder_), 0750u);
    for (const auto& [name, bytes] : c.before) {
      EXPECT_EQ(readFile(folder_ / name), bytes) << name;
      EXPECT_EQ(modeOf(folder_ / name), 0640u) << name;
    }
    for (std::string_view name : kShipped) {
      if (!c.before.contains(std::string(name))) {
        EXPECT_EQ(readFile(folder_ / name), readFile(defaults_ / name)) << name;
      }
    }
    for (std::string_view name : kStartedEmpty) {
      if (!c.before.contains(std::string(name))) {
        EXPECT_EQ(readFile(folder_ / name), "") << name;
      }
    }
    EXPECT_EQ(snapshot(folder_).size(), kGameFiles.size());
  }
}

TEST_F(FolderSetupTest, AFolderGivenAsASymbolicLinkIsPlayedThroughIt) {
  fs::create_directories(root_ / "elsewhere");
  fs::create_directories(folder_.parent_path());
  fs::create_directory_symlink(root_ / "elsewhere", folder_);

  prepareGameFolder(folder_, defaults_);

  EXPECT_TRUE(fs::is_symlink(folder_));
  EXPECT_EQ(readFile(root_ / "elsewhere/zamen.db"), readFile(defaults_ / "zamen.db"));
}

TEST_F(FolderSetupTest, ARefusedStartNamesTheCulpritAndChangesNothing) {
  struct Case {
    const char* what;
    std::function<void(const fs::path& folder, const fs::path& defaults)> arrange;
    std::string message;  // a part of the message
  };
  const Case cases[] = {
      {"the defaults are not installed",
       [](const fs::path&, const fs::path& defaults) { fs::remove_all(defaults); },
       "Не найдены файлы игры по умолчанию: «" + (defaults_ / "kelmora.db").string() + "»"},
      {"one default file is missing, so none is copied",
       [](const fs::path&, const fs::path& defaults) { fs::remove(defaults / "help.txt"); },
       "«" + (defaults_ / "help.txt").string() + "»"},
      {"an older folder needs a default that is missing: account.ini is not added either",
       [](const fs::path& folder, const fs::path& defaults) {
         fs::create_directories(folder);
         for (const char* name : {"kelmora.db", "zamen.db", "res.res", "log.txt"}) {
           writeFile(folder / name, "mine");
         }
         fs::remove(defaults / "help.txt");
       },
       "«" + (defaults_ / "help.txt").string() + "»"},
      {"the folder's name is taken by a file",
       [](const fs::path& folder, const fs::path&) {
         fs::create_directories(folder.parent_path());
         writeFile(folder, "not a folder");
       },
       "«" + folder_.string() + "» — не папка"},
      {"a folder on the way is a file",
       [](const fs::path& folder, const fs::path&) {
         fs::create_directories(folder.parent_path().parent_path());
         writeFile(folder.parent_path(), "not a folder");
       },
       "Не удалось создать папку игры «" + folder_.string() + "»"},
      {"a game file is a directory",
       [](const fs::path& folder, const fs::path&) { fs::create_directories(folder / "res.res"); },
       "«" + (folder_ / "res.res").string() + "» в папке игры — не обычный файл"},
      {"the accounts file is a dangling symbolic link",
       [](const fs::path& folder, const fs::path&) {
         fs::create_directories(folder);
         fs::create_symlink("gone.ini", folder / "account.ini");
       },
       "Файл «" + (folder_ / "account.ini").string() + "» в папке игры не читается"},
      {"the log is a FIFO, which must not hang the start",
       [](const fs::path& folder, const fs::path&) {
         fs::create_directories(folder);
         ASSERT_EQ(::mkfifo((folder / "log.txt").c_str(), 0644), 0);
       },
       "«" + (folder_ / "log.txt").string() + "» в папке игры — не обычный файл"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(root_ / "home");
    fs::remove_all(defaults_);
    fs::create_directories(defaults_);
    for (std::string_view name : kShipped)
      writeFile(defaults_ / name, "shipped");
    c.arrange(folder_, defaults_);
    auto before = snapshot(root_);

    try {
      prepareGameFolder(folder_, defaults_);
      ADD_FAILURE() << "the start was not refused";
    } catch (const LaunchError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
    EXPECT_EQ(snapshot(root_), before);
  }
}

}  // namespace
}  // namespace kelmora::launcher

namespace kelmora::launcher {
namespace {

// Dies the moment the copy of zamen.db is about to be flushed, as a launcher killed there.
int dieWhileCopyingTopics(FileStep step, const std::filesystem::path& file) {
  if (step == FileStep::sync && file.filename().string().starts_with("zamen.db")) ::_exit(9);
  return 0;
}

// A second start (or the player) puts kelmora.db in place while this one is still copying it.
fs::path appearingFile;
int fileAppearsBeforeTheRename(FileStep step, const std::filesystem::path& file) {
  if (step == FileStep::close && file.filename().string().starts_with("kelmora.db.tmp"))
    writeFile(appearingFile, "the player's own base");
  return 0;
}

TEST_F(FolderSetupTest, AFileThatAppearsWhileItsDefaultIsCopiedIsKeptAndTheStartGoesOn) {
  appearingFile = folder_ / "kelmora.db";
  const FaultHook old = setFaultHook(fileAppearsBeforeTheRename);
  EXPECT_NO_THROW(prepareGameFolder(folder_, defaults_));
  setFaultHook(old);
  EXPECT_EQ(readFile(folder_ / "kelmora.db"), "the player's own base");
  EXPECT_EQ(readFile(folder_ / "zamen.db"), readFile(defaults_ / "zamen.db"));
  EXPECT_EQ(snapshot(folder_).size(), kGameFiles.size()) << "no copy left behind";
}

// Root may write anywhere; a player may not, and must hear why rather than a raw write error.
TEST_F(FolderSetupTest, AFolderThePlayerMayNotWriteIntoNamesThatAsTheReasonAFileIsMissing) {
  prepareGameFolder(folder_, defaults_);
  fs::remove(folder_ / "help.txt");
  fs::permissions(folder_, fs::perms(0555));
  fs::permissions(root_ / "home", fs::perms(0755));
  fs::permissions(root_ / "home/.local", fs::perms(0755));
  fs::permissions(root_ / "home/.local/share", fs::perms(0755));
  for (const GameFile& file : kGameFiles) {
    if (fs::exists(folder_ / file.name)) fs::permissions(folder_ / file.name, fs::perms(0644));
  }
  const auto answer = test::runAsOrdinaryUser([&]() -> std::string {
    try {
      prepareGameFolder(folder_, defaults_);
      return "the start went on";
    } catch (const LaunchError& error) {
      return error.what();
    }
  });
  fs::permissions(folder_, fs::perms(0700));  // so that an ordinary user's teardown may empty it
  if (!answer.text) GTEST_SKIP() << answer.skipReason;
  EXPECT_NE(answer.text->find("В папку игры «" + folder_.string() + "» нельзя записывать"),
            std::string::npos)
      << *answer.text;
  EXPECT_FALSE(fs::exists(folder_ / "help.txt"));
}

TEST_F(FolderSetupTest, ALauncherKilledWhileCopyingLeavesALeftoverTheNextStartRemoves) {
  const pid_t child = ::fork();
  if (child == 0) {
    setFaultHook(dieWhileCopyingTopics);
    prepareGameFolder(folder_, defaults_);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9);
  std::vector<std::string> leftovers;
  for (const auto& [name, bytes] : snapshot(folder_)) {
    if (const auto origin = parseTemporaryName(name)) {
      EXPECT_EQ(origin->file, "zamen.db");
      EXPECT_EQ(origin->pid, child);
      EXPECT_EQ(bytes, readFile(defaults_ / "zamen.db"));
      leftovers.push_back(name);
    }
  }
  ASSERT_EQ(leftovers.size(), 1u) << "the killed copy left its temporary file";
  // A live process's temporary may be a copy still being made: it stays. So does what a dead
  // process left of a file that is not the game's, however much its name begins like one.
  const auto live = temporaryName("help.txt", ::getpid(), 0);
  const auto notOurs = temporaryName("log.txt.old", child, 0);
  writeFile(folder_ / live, "x");
  writeFile(folder_ / notOurs, "the player's");

  prepareGameFolder(folder_, defaults_);
  EXPECT_FALSE(fs::exists(folder_ / leftovers.front()));
  EXPECT_TRUE(fs::exists(folder_ / live));
  EXPECT_EQ(readFile(folder_ / notOurs), "the player's");
  EXPECT_EQ(readFile(folder_ / "zamen.db"), readFile(defaults_ / "zamen.db"));
  EXPECT_EQ(snapshot(folder_).size(), kGameFiles.size() + 2);
}

}  // namespace
}  // namespace kelmora::launcher
