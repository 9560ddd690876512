// The file layer under hostile conditions: files that are not regular files, files their owner
// protected, read-only folders, symbolic links, a second copy of the game, and the leftovers of
// a crash.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "as_nobody.h"
#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/files/file_io.h"
#include "core/files/folder_lock.h"
#include "core/files/game_files.h"
#include "core/files/temporary_files.h"
#include "core/files/text_file.h"
#include "core/log/game_log.h"
#include "core/players/accounts.h"
#include "core/players/records.h"
#include "test_support.h"

namespace kelmora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string failureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const FileError& e) {
    return e.what();
  }
  return "no failure";
}

std::vector<std::string> entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Ends the test binary instead of letting a blocked open hang the whole suite.
class Watchdog {
 public:
  Watchdog() { ::alarm(20); }
  ~Watchdog() { ::alarm(0); }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
};

const Notify kIgnore = [](const std::string&) {};

struct Reader {
  const char* file;
  std::function<void(const fs::path& dir)> read;
};

const Reader kReaders[] = {
    {"kelmora.db",
     [](const fs::path& dir) {
       QuestionBase base;
       loadMainBase(dir, base, kIgnore);
     }},
    {"zamen.db", [](const fs::path& dir) { loadTopicList(dir, kIgnore); }},
    {"log.txt", [](const fs::path& dir) { GameLog(dir).load(); }},
    {"help.txt", [](const fs::path& dir) { readLines(dir / "help.txt"); }},
    {"res.res", [](const fs::path& dir) { readRecords(dir); }},
    {"account.ini", [](const fs::path& dir) { AccountTable(dir, kIgnore).loadAccounts(); }},
};

const struct {
  const char* kind;
  std::function<void(const fs::path&)> make;
} kSpecialFiles[] = {
    {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0666), 0); }},
    // An endless device: read to its end, it would fill the memory.
    {"device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
    {"directory", [](const fs::path& p) { fs::create_directory(p); }},
};

TEST(SpecialFiles, AreRefusedAtOnceWithEachFilesOwnMessage) {
  const Watchdog watchdog;
  for (const auto& special : kSpecialFiles) {
    for (const auto& reader : kReaders) {
      SCOPED_TRACE(std::string(reader.file) + " as a " + special.kind);
      TempDir dir;
      special.make(dir / reader.file);
      EXPECT_EQ(failureOf([&] { reader.read(dir.path()); }),
                std::string("Cannot open file ") + reader.file);
    }
  }
}

TEST(SpecialFiles, AreNeverWrittenOver) {
  const Watchdog watchdog;
  for (const auto& special : kSpecialFiles) {
    SCOPED_TRACE(special.kind);
    TempDir dir;
    for (const char* file : {kAccountsFile, kRecordsFile, kLogFile})
      special.make(dir / file);
    const auto before = fs::symlink_status(dir / kRecordsFile).type();

    EXPECT_EQ(failureOf([&] { writeFileAtomically(dir / kRecordsFile, "x"); }),
              "Cannot create file res.res");
    AccountTable accounts(dir.path(), kIgnore);
    EXPECT_THROW(accounts.loadAccounts(), FileError);
    accounts.addAccount("New", "pw");
    EXPECT_FALSE(accounts.saveAccounts());
    GameLog log(dir.path());
    log.appendLog("line");
    EXPECT_EQ(log.closeAndSave("d", "t"), dir / "log-1.txt");

    for (const char* file : {kAccountsFile, kRecordsFile, kLogFile})
      EXPECT_EQ(fs::symlink_status(dir / file).type(), before) << file;
    EXPECT_EQ(entries(dir.path()),
              (std::vector<std::string>{"account.ini", "log-1.txt", "log.txt", "res.res"}));
  }
}

TEST(Links, AreReadThroughAndWrittenThroughToTheirTarget) {
  const struct {
    const char* name;
    // Builds res.res in dir as a link into other; returns the file that holds the content.
    std::function<fs::path(const fs::path& dir, const fs::path& other)> make;
  } cases[] = {
      {"relative",
       [](const fs::path& dir, const fs::path&) {
         fs::create_directory(dir / "data");
         std::ofstream(dir / "data" / "real.res") << "old";
         fs::create_symlink("data/real.res", dir / "res.res");
         return dir / "data" / "real.res";
       }},
      {"absolute, another folder",
       [](const fs::path& dir, const fs::path& other) {
         std::ofstream(other / "real.res") << "old";
         fs::create_symlink(other / "real.res", dir / "res.res");
         return other / "real.res";
       }},
      {"a link to a link",
       [](const fs::path& dir, const fs::path& other) {
         std::ofstream(other / "real.res") << "old";
         fs::create_symlink(other / "real.res", other / "hop");
         fs::create_symlink(other / "hop", dir / "res.res");
         return other / "real.res";
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir, other;
    const fs::path real = c.make(dir.path(), other.path());
    const auto dirBefore = entries(dir.path());
    const auto otherBefore = entries(other.path());
    EXPECT_EQ(readLines(dir / "res.res"), std::vector<std::string>{"old"});

    writeFileAtomically(dir / "res.res", "new");
    EXPECT_TRUE(fs::is_symlink(dir / "res.res"));
    std::ifstream in(real);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
    EXPECT_EQ(entries(dir.path()), dirBefore);
    EXPECT_EQ(entries(other.path()), otherBefore);
  }

  // A link to nothing creates nothing where it points, as the launcher refuses it too.
  TempDir other;
  {
    TempDir dir;
    fs::create_symlink(other / "new.txt", dir / "log.txt");
    EXPECT_EQ(failureOf([&] { writeFileAtomically(dir / "log.txt", "x"); }),
              "Cannot create file log.txt");
    EXPECT_TRUE(entries(other.path()).empty());
  }

  TempDir dir;
  fs::create_symlink("b", dir / "res.res");
  fs::create_symlink("res.res", dir / "b");
  EXPECT_EQ(failureOf([&] { writeFileAtomically(dir / "res.res", "x"); }),
            "Cannot create file res.res");
}

TEST(Replacing, KeepsTheModeOwnerAndGroupOfAnExistingFile) {
  TempDir dir;
  const struct {
    const char* file;
    unsigned mode;
  } cases[] = {{"res.res", 0640}, {"log.txt", 0604}, {"account.ini", 0644}, {"other", 0600}};
  for (const auto& c : cases) {
    dir.write(c.file, "old");
    ASSERT_EQ(::chmod((dir / c.file).c_str(), c.mode), 0);
    test::giveToChildUser(dir / c.file);
    struct stat before {};
    ASSERT_EQ(::stat((dir / c.file).c_str(), &before), 0);
    writeFileAtomically(dir / c.file, "new", 0600);
    struct stat after {};
    ASSERT_EQ(::stat((dir / c.file).c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, c.mode) << c.file;
    EXPECT_EQ(after.st_uid, before.st_uid) << c.file;
    EXPECT_EQ(after.st_gid, before.st_gid) << c.file;
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not rewritten: " << c.file;
  }

  // A file the game creates gets the mode asked for, whatever the umask.
  const mode_t umask = ::umask(0);
  writeFileAtomically(dir / "new.ini", "x", 0600);
  writeFileAtomically(dir / "new.txt", "x");
  ::umask(umask);
  struct stat st {};
  ASSERT_EQ(::stat((dir / "new.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  ASSERT_EQ(::stat((dir / "new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0666u);
}

// The player's own file made read-only, and (when the tests run as root) another user's file
// that only its owner may write: the folder is the player's, so the rename would go through,
// yet neither is ever replaced.
TEST(Replacing, AFileItsOwnerMadeReadOnlyIsLeftAlone) {
  for (const bool others : {false, true}) {
    if (others && ::geteuid() != 0) continue;  // no other user's file to make here
    SCOPED_TRACE(others ? "another user's file, 0644" : "the player's file, 0444");
    TempDir dir;
    dir.write("res.res", "old");
    ::chmod((dir / "res.res").c_str(), others ? 0644 : 0444);
    test::giveToChildUser(dir.path());
    if (!others) test::giveToChildUser(dir / "res.res");
    const auto answer = test::runAsOrdinaryUser(
        [&] { return failureOf([&] { writeFileAtomically(dir / "res.res", "new"); }); });
    if (!answer.text) GTEST_SKIP() << answer.skipReason;
    EXPECT_EQ(*answer.text, "Cannot create file res.res");
    EXPECT_EQ(dir.read("res.res"), "old");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"res.res"});
  }
}

// Root passes every permission check, yet a file with no write bit for anyone stays as it is
// whoever plays: the same answer as for an ordinary user, in this process.
TEST(Replacing, AFileWithNoWriteBitIsLeftAloneEvenByRoot) {
  TempDir dir;
  for (const char* file : {"res.res", "account.ini", "log.txt"}) {
    dir.write(file, "old\r\n");
    ::chmod((dir / file).c_str(), 0444);
  }
  EXPECT_EQ(failureOf([&] { writeFileAtomically(dir / "res.res", "new"); }),
            "Cannot create file res.res");
  EXPECT_EQ(failureOf([&] { writeFileAtomically(dir / "account.ini", "new"); }),
            "Cannot create file account.ini");
  EXPECT_EQ(failureOf([&] {
              GameLog log(dir.path());
              log.appendLog("run");
              log.closeAndSave("d", "t");
            }),
            "Cannot create file log.txt");
  for (const char* file : {"res.res", "account.ini", "log.txt"}) {
    EXPECT_EQ(dir.read(file), "old\r\n") << file;
    EXPECT_EQ(fs::status(dir / file).permissions() & fs::perms::all, fs::perms(0444)) << file;
  }
  EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"account.ini", "log.txt", "res.res"}));
}

TEST(Replacing, InAReadOnlyFolderAWritableFileIsRewrittenInPlace) {
  TempDir dir;
  dir.write("res.res", "old content");
  dir.write("log.txt", "old line");
  for (const char* file : {"res.res", "log.txt"})
    test::giveToChildUser(dir / file);
  test::giveToChildUser(dir.path());
  ::chmod(dir.path().c_str(), 0555);
  const auto answer = test::runAsOrdinaryUser([&] {
    writeFileAtomically(dir / "res.res", "new");
    GameLog log(dir.path());
    log.appendLog("run");
    log.closeAndSave("d", "t");
    return failureOf([&] { writeFileAtomically(dir / "account.ini", "x"); });
  });
  if (!answer.text) GTEST_SKIP() << answer.skipReason;
  // A file that is not there cannot be made in such a folder.
  EXPECT_EQ(*answer.text, "Cannot create file account.ini");
  EXPECT_EQ(dir.read("res.res"), "new");
  EXPECT_EQ(dir.read("log.txt"), test::cp("old line\r\nrun\r\n[Завершение работы] d t\r\n") +
                                     std::string(61, '=') + "\r\n");
  EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"log.txt", "res.res"}));
}

// What a full disk does to the files the game rewrites where they lie (a folder it may not
// create files in). Played on a small file system of its own, mounted in a private mount
// namespace of a forked child; the child reports the first broken promise, or nothing.
std::string onAFullDisk(const fs::path& dir) {
  const test::Nobody who = test::nobody();
  const auto readAll = [](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  auto fill = [&] {
    std::ofstream filler(dir / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  };
  if (::unshare(CLONE_NEWNS) != 0 ||
      ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      ::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
    return std::string(1, '\0') + "this machine lets no test mount a file system";
  }
  const std::string log = test::cp("старая строка\r\n");
  const std::string accounts(128, 'a');
  {
    std::ofstream(dir / "log.txt", std::ios::binary) << log;
    std::ofstream(dir / "account.ini", std::ios::binary) << accounts;
  }
  fill();
  if (appendInPlace(dir / "log.txt", std::string(8192, 'n'))) return "an append found room";
  if (readAll(dir / "log.txt") != log) return "a failed append changed log.txt";
  if (rewriteInPlace(dir / "account.ini", std::string(8192, 'b'))) return "a rewrite found room";
  if (readAll(dir / "account.ini") != accounts) return "a failed rewrite changed account.ini";
  // Space that is there is used: the same size again fits in the blocks the file has.
  if (!rewriteInPlace(dir / "account.ini", std::string(128, 'c')))
    return "a rewrite in place failed";
  if (readAll(dir / "account.ini") != std::string(128, 'c')) return "the rewrite was lost";

  // The whole way: the game's log at the end of a run, in a folder the player cannot add to.
  for (const char* file : {"log.txt", "account.ini", "filler"})
    [[maybe_unused]] const int ignored = ::chown((dir / file).c_str(), who.uid, who.gid);
  ::chmod(dir.c_str(), 0555);
  if (::setgid(who.gid) != 0 || ::setuid(who.uid) != 0) {
    return std::string(1, '\0') + "cannot switch to the user nobody";
  }
  const std::string error = failureOf([&] {
    GameLog run(dir);
    // More than the slack of the log's last block.
    for (int i = 0; i < 200; ++i)
      run.appendLog(test::cp("[Вопрос] - 17(0) [Ответ] - пушкин"));
    run.closeAndSave("d", "t");
  });
  if (error != "Cannot create file log.txt") return "the full disk was not reported: " + error;
  if (readAll(dir / "log.txt") != log) return "the log was torn";
  return "";
}

TEST(InPlace, AFullDiskLeavesTheOldBytesExactly) {
  if (::geteuid() != 0) GTEST_SKIP() << "a small file system of its own needs root to mount";
  TempDir dir;
  const auto answer = test::runInChild([&] { return onAFullDisk(dir.path()); });
  if (!answer.text) GTEST_SKIP() << answer.skipReason;
  EXPECT_EQ(*answer.text, "");
}

// Counts the descriptors this process has open.
std::size_t openDescriptors() {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

TEST(Replacing, AFailureWhileSettingTheModeLeavesNoFileAndNoDescriptor) {
  TempDir dir;
  dir.write("res.res", "old");
  const auto failMode = [](FileStep step, const fs::path&) {
    return step == FileStep::setOwnerAndMode ? EIO : 0;
  };
  const std::size_t before = openDescriptors();
  setFaultHook(failMode);
  const auto existing = failureOf([&] { AtomicFile file(dir / "res.res"); });
  const auto created = failureOf([&] { AtomicFile file(dir / "account.ini", 0600); });
  setFaultHook(nullptr);
  EXPECT_EQ(existing, "Cannot create file res.res");
  EXPECT_EQ(created, "Cannot create file account.ini");
  EXPECT_EQ(openDescriptors(), before);
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"res.res"});
}

// A child that takes the lock of dir and holds it until it is killed.
pid_t childHoldingTheLock(const fs::path& dir) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    const auto lock = FolderLock::tryAcquire(dir);
    const char answer = lock && lock->held() ? 'y' : 'n';
    [[maybe_unused]] const auto n = ::write(ready[1], &answer, 1);
    for (;;)
      ::pause();
  }
  ::close(ready[1]);
  char answer = 0;
  const bool ok = ::read(ready[0], &answer, 1) == 1 && answer == 'y';
  ::close(ready[0]);
  if (!ok) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return -1;
  }
  return pid;
}

TEST(OneCopyPerFolder, ASecondLockOnTheSameFolderIsRefused) {
  TempDir dir, elsewhere;
  auto first = FolderLock::tryAcquire(dir.path());
  ASSERT_TRUE(first && first->held());
  EXPECT_FALSE(FolderLock::tryAcquire(dir.path()));
  EXPECT_TRUE(FolderLock::tryAcquire(elsewhere.path()));
  first.reset();
  EXPECT_TRUE(FolderLock::tryAcquire(dir.path()));
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{});
}

TEST(OneCopyPerFolder, AnotherProcessHoldsItUntilItIsKilled) {
  TempDir dir;
  const pid_t holder = childHoldingTheLock(dir.path());
  ASSERT_GT(holder, 0);
  EXPECT_FALSE(FolderLock::tryAcquire(dir.path()));
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  const auto lock = FolderLock::tryAcquire(dir.path());
  ASSERT_TRUE(lock);
  EXPECT_TRUE(lock->held());
}

TEST(OneCopyPerFolder, AProgramStartedByTheGameDoesNotKeepTheLock) {
  TempDir dir;
  auto lock = FolderLock::tryAcquire(dir.path());
  ASSERT_TRUE(lock && lock->held());
  // The pipe closes in the child when it execs; until then the child still shares the lock.
  int execd[2];
  ASSERT_EQ(::pipe2(execd, O_CLOEXEC), 0);
  const pid_t program = ::fork();
  if (program == 0) {
    ::execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(execd[1]);
  char ignored;
  EXPECT_EQ(::read(execd[0], &ignored, 1), 0);
  ::close(execd[0]);
  lock.reset();
  EXPECT_TRUE(FolderLock::tryAcquire(dir.path()));
  ::kill(program, SIGKILL);
  ::waitpid(program, nullptr, 0);
}

TEST(OneCopyPerFolder, WorksInAReadOnlyFolderAsAnOrdinaryUser) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0555);
  const auto answer = test::runAsOrdinaryUser([&] {
    const auto lock = FolderLock::tryAcquire(dir.path());
    return std::string(lock && lock->held() ? "held" : "not held") +
           (FolderLock::tryAcquire(dir.path()) ? ", taken twice" : "");
  });
  if (!answer.text) GTEST_SKIP() << answer.skipReason;
  EXPECT_EQ(*answer.text, "held");
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{});
}

// A folder the player may write into but not list (0300) cannot be opened to be locked; two
// copies there must still exclude each other, and the game saves there as anywhere (the folder
// cannot be opened to be synced either, which is no failure of the disk). One that can be
// neither opened nor written (0100) holds nothing, and the game then refuses to start.
TEST(OneCopyPerFolder, AFolderThatCannotBeListedIsLockedThroughALockFile) {
  for (const auto& [mode, expected] :
       {std::pair{0300, "held, refused twice, saved"}, std::pair{0100, "not held"}}) {
    TempDir dir;
    test::giveToChildUser(dir.path());
    ::chmod(dir.path().c_str(), static_cast<mode_t>(mode));
    const auto answer = test::runAsOrdinaryUser([&] {
      const auto lock = FolderLock::tryAcquire(dir.path());
      if (!lock || !lock->held()) return std::string("not held");
      std::string seen = std::string("held") +
                         (FolderLock::tryAcquire(dir.path()) ? ", taken twice" : ", refused twice");
      const std::string failure = failureOf([&] { writeFileAtomically(dir / "res.res", "new"); });
      return seen + (failure == "no failure" ? ", saved" : ", " + failure);
    });
    if (!answer.text) GTEST_SKIP() << answer.skipReason;
    EXPECT_EQ(*answer.text, expected) << std::oct << mode;
    ::chmod(dir.path().c_str(), 0700);
    if (mode == 0300) {
      EXPECT_EQ(dir.read("res.res"), "new");
    }
  }
}

TEST(OneCopyPerFolder, ThePlayerIsToldInRussian) {
  EXPECT_EQ(alreadyRunningMessage("/home/игрок/kelmora"),
            test::cp("Кельмора уже запущена в папке /home/игрок/kelmora. Закройте другую копию "
                     "игры и запустите игру снова."));
}

pid_t deadProcess() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

// A save through a link puts its temporary beside the link's target; a copy killed there
// leaves it in that other folder, and only what is named after the target is cleared there.
TEST(Leftovers, BesideALinksTargetOnlyThatTargetsLeftoversGo) {
  TempDir dir, other;
  other.write("real.res", std::string(RecordsTable::kFileSize, '\0'));
  fs::create_symlink(other / "real.res", dir / "res.res");
  const long dead = deadProcess();
  const auto gone = temporaryName("real.res", dead, 0);
  const std::vector<std::string> kept = {"real.res", temporaryName("res.res", dead, 0),
                                         temporaryName("other.res", dead, 0),
                                         temporaryName("real.res", ::getpid(), 0)};
  other.write(gone, "x");
  for (const auto& name : kept)
    if (name != "real.res") other.write(name, "x");
  EXPECT_EQ(removeStaleTemporaries(dir.path()), 1u);
  auto expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries(other.path()), expected);
}

// The system tells root that every process may be signalled, and a player that another
// user's process may not: that answer means "alive" too. Otherwise a player's start would
// delete the half-written save of a copy another user is running on a shared folder.
TEST(Leftovers, AnotherUsersRunningCopyKeepsItsSaveInProgress) {
  TempDir dir;
  // This test process is alive and, when the tests run as root, not the child's to signal.
  const auto running = temporaryName("res.res", ::getpid(), 0);
  dir.write(running, "x");
  test::giveToChildUser(dir.path());
  const auto answer = test::runAsOrdinaryUser(
      [&] { return std::to_string(removeStaleTemporaries(dir.path())) + " removed"; });
  if (!answer.text) GTEST_SKIP() << answer.skipReason;
  EXPECT_EQ(*answer.text, "0 removed");
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{running});
}

TEST(Leftovers, OnlyTheGamesOwnTemporariesOfDeadProcessesAreRemoved) {
  TempDir dir;
  const long dead = deadProcess();
  const auto stale = [&](const char* file, int n = 0) { return temporaryName(file, dead, n); };
  const std::vector<std::string> removed = {stale("res.res"), stale("account.ini", 3),
                                            stale("log.txt"), stale("log-2.txt")};
  const std::vector<std::string> kept = {
      "log.txt.tmp-notes",
      temporaryName("res.res", ::getpid(), 0),  // a live process: maybe saving right now
      temporaryName("res.res", 1, 0),
      stale("notes.txt"),   // not a file the game writes
      stale("kelmora.db"),  // nor is any file the game only reads
      stale("zamen.db"),
      stale("help.txt"),
      stale("log-0.txt"),
      stale("res.res") + "x",
      "res.res.tmp0" + std::to_string(dead) + "-0",
      "res.res.tmp" + std::to_string(dead) + "-",
      "res.res.tmp" + std::to_string(dead),
      ".tmp" + std::to_string(dead) + "-0",
      "res.res",
  };
  for (const auto& name : removed)
    dir.write(name, "x");
  for (const auto& name : kept)
    dir.write(name, "x");
  fs::create_directory(dir / stale("res.res", 1));
  fs::create_symlink("res.res", dir / stale("log.txt", 1));

  EXPECT_EQ(removeStaleTemporaries(dir.path()), removed.size());
  auto expected = kept;
  expected.push_back(stale("res.res", 1));
  expected.push_back(stale("log.txt", 1));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries(dir.path()), expected);
}

}  // namespace
}  // namespace kelmora
