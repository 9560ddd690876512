#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <iterator>
#include <string>
#include <vector>

#include "as_nobody.h"
#include "core/files/file_error.h"
#include "core/files/file_io.h"
#include "core/players/accounts.h"
#include "core/players/records.h"
#include "core/players/sign_in.h"
#include "test_support.h"

namespace kelmora {
namespace {

using test::cp;
using test::TempDir;

std::string accountRecord(const std::string& name, const std::string& password, char filler) {
  std::string r(64, filler);
  r[0] = static_cast<char>(name.size());
  r.replace(1, name.size(), name);
  r[21] = static_cast<char>(password.size());
  r.replace(22, password.size(), password);
  return r;
}

struct Accounts {
  TempDir dir;
  std::vector<std::string> errors;
  AccountTable table{dir.path(), [this](const std::string& m) { errors.push_back(m); }};

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (int n = 1; n <= table.accountCount(); ++n)
      out.push_back(table.accountName(n));
    return out;
  }
};

unsigned modeOf(const std::filesystem::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(AccountsFile, RecordsRoundTripByteForByteAndATrailingPieceIsDropped) {
  Accounts a;
  // Control characters in a stored name are the file's business: kept as they are.
  const std::string file = accountRecord("Ann", "pw", '\x5A') +
                           accountRecord("B\r\nb", "\t", '\x01') + std::string(2, '\x7F');
  a.dir.write("account.ini", file);
  ::chmod((a.dir / "account.ini").c_str(), 0640);
  EXPECT_EQ(a.table.loadAccounts(), 2);
  EXPECT_EQ(a.names(), (std::vector<std::string>{"Ann", "B\r\nb"}));
  EXPECT_TRUE(a.table.saveAccounts());
  EXPECT_EQ(a.dir.read("account.ini"), file.substr(0, 128));
  EXPECT_EQ(modeOf(a.dir / "account.ini"), 0640u);  // an existing file keeps its mode
}

TEST(AccountsFile, AMissingFileIsAnEmptyTableAndTheFirstSaveCreatesIt) {
  Accounts a;
  try {
    a.table.loadAccounts();
    FAIL();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_EQ(a.table.accountCount(), 0);
  EXPECT_FALSE(a.table.fileUnreadable());
  EXPECT_TRUE(a.table.saveAccounts());
  EXPECT_EQ(a.dir.read("account.ini"), "");
  EXPECT_EQ(modeOf(a.dir / "account.ini"), 0600u);  // it holds passwords
  a.table.addAccount(cp("Очень длинное имя игрока"), "0123456789ABC");
  a.table.saveAccounts();
  Accounts b;
  b.dir.write("account.ini", a.dir.read("account.ini"));
  b.table.loadAccounts();
  EXPECT_EQ(b.table.accountName(1), cp("Очень длинное имя иг"));
  EXPECT_EQ(b.table.accountPassword(1), "0123456789");
}

TEST(AccountsFile, RecordsBeyondOneHundredAreKeptOnSave) {
  Accounts a;
  std::string file;
  for (int i = 0; i < 130; ++i)
    file += accountRecord("P" + std::to_string(i), "x", '\0');
  a.dir.write("account.ini", file + "tail");
  EXPECT_EQ(a.table.loadAccounts(), 100);
  EXPECT_EQ(a.table.recordsBeyondCapacity(), 30);
  ASSERT_TRUE(a.table.deleteAccount(1, "x"));
  a.table.saveAccounts();
  EXPECT_EQ(a.dir.read("account.ini"), file.substr(64));
}

// Another program cuts account.ini short while the players beyond the table are being copied
// back: a torn record at the new end must not come back as a player with a garbled name.
std::filesystem::path shrinkingFile;
int shrinksOnFirstRead(FileStep step, const std::filesystem::path& file) {
  if (step == FileStep::read && file == shrinkingFile) {
    std::filesystem::resize_file(file, 100 * 64 + 5 * 64 + 10);
    shrinkingFile.clear();
  }
  return 0;
}

TEST(AccountsFile, RecordsBeyondOneHundredGoBackOnlyWhole) {
  Accounts a;
  std::string file;
  for (int i = 0; i < 130; ++i)
    file += accountRecord("P" + std::to_string(i), "x", '\0');
  a.dir.write("account.ini", file);
  EXPECT_EQ(a.table.loadAccounts(), 100);
  shrinkingFile = a.dir / "account.ini";
  const FaultHook old = setFaultHook(shrinksOnFirstRead);
  EXPECT_TRUE(a.table.saveAccounts());
  setFaultHook(old);
  EXPECT_EQ(a.dir.read("account.ini"), file.substr(0, 105 * 64));
}

// Runs the sign-in dialog over dir: create, register a player, close. Returns what the player
// was shown, in order.
std::string signInAndRegister(const std::filesystem::path& dir) {
  std::string shown;
  SignIn signIn(
      dir, [&](const std::string& m) { shown += "message: " + m + "\n"; },
      [&](const std::string& m) { shown += "error: " + m + "\n"; });
  signIn.create();
  signIn.newPlayer();
  signIn.addPlayer("New", "pw", "pw");
  signIn.close();
  return shown;
}

TEST(UnreadableAccounts, AreNeverOverwrittenAndThePlayerIsToldOnce) {
  const std::string old = accountRecord("Ann", "pw", '\0') + accountRecord("Bob", "x", '\0');
  const std::string told =
      "error: Cannot open file account.ini\nmessage: " + unreadableAccountsMessage() + "\n";
  EXPECT_NE(unreadableAccountsMessage().find(cp("права доступа")), std::string::npos);

  {
    SCOPED_TRACE("the disk fails while reading");
    TempDir dir;
    dir.write("account.ini", old);
    setFaultHook([](FileStep step, const std::filesystem::path&) {
      return step == FileStep::read ? EIO : 0;
    });
    AccountTable table(dir.path(), [](const std::string&) {});
    EXPECT_THROW(table.loadAccounts(), FileError);
    setFaultHook(nullptr);
    EXPECT_TRUE(table.fileUnreadable());
    table.addAccount("New", "pw");
    EXPECT_FALSE(table.saveAccounts());
    EXPECT_EQ(dir.read("account.ini"), old);
  }
  {
    SCOPED_TRACE("a FIFO in its place");
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "account.ini").c_str(), 0600), 0);
    EXPECT_EQ(signInAndRegister(dir.path()), told);
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "account.ini"));
  }
  {
    SCOPED_TRACE("no read permission, as an ordinary user");
    TempDir dir;
    dir.write("account.ini", old);
    ::chmod((dir / "account.ini").c_str(), 0);
    test::giveToChildUser(dir.path());
    test::giveToChildUser(dir / "account.ini");
    const auto answer = test::runAsOrdinaryUser([&] { return signInAndRegister(dir.path()); });
    if (!answer.text) GTEST_SKIP() << answer.skipReason;
    EXPECT_EQ(*answer.text, told);
    EXPECT_EQ(modeOf(dir / "account.ini"), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    // Run as an ordinary user, this test cannot read the file either until it allows itself.
    ::chmod((dir / "account.ini").c_str(), 0600);
    EXPECT_EQ(dir.read("account.ini"), old);
  }
}

TEST(UnreadableAccounts, AMissingFileIsOnlyReportedAndThenCreated) {
  TempDir dir;
  EXPECT_EQ(signInAndRegister(dir.path()), "error: File not found\n");
  EXPECT_EQ(dir.read("account.ini").substr(0, 4), std::string("\x03New"));
}

TEST(AccountChecks, ControlCharactersInANewPlayerAreStoredAsBlanks) {
  Accounts a;
  a.table.addAccount(std::string("An\r\nn\0\x7F", 7), "p\tw");
  EXPECT_EQ(a.table.accountName(1), "An  n  ");
  EXPECT_EQ(a.table.accountPassword(1), "p w");
  EXPECT_TRUE(a.table.confirmPlayer(1, "p w"));
}

TEST(AccountChecks, DeletingKeepsTheOrderAndWrongPasswordsChangeNothing) {
  Accounts a;
  for (const char* n : {"1", "2", "3", "4", "5"})
    a.table.addAccount(n, n);
  EXPECT_FALSE(a.table.deleteAccount(2, "x"));
  EXPECT_EQ(a.errors, std::vector<std::string>{cp("Ошибка! В доступе отказано!")});
  EXPECT_TRUE(a.table.deleteAccount(2, "2"));
  EXPECT_EQ(a.names(), (std::vector<std::string>{"1", "3", "4", "5"}));
  EXPECT_TRUE(a.table.deleteAccount(4, "5"));
  EXPECT_EQ(a.names(), (std::vector<std::string>{"1", "3", "4"}));
}

TEST(AccountChecks, PasswordsMatchOnlyExactly) {
  Accounts a;
  a.table.addAccount("Same", "Secret");
  a.table.addAccount("Same", "");
  a.table.addAccount("Trim", " pw ");
  const struct {
    int n;
    std::string typed;
    bool ok;
  } cases[] = {{1, "Secret", true},  {1, "secret", false}, {1, "Secret ", false}, {2, "", true},
               {2, "Secret", false}, {3, "pw", false},     {3, " pw ", true}};
  for (const auto& c : cases)
    EXPECT_EQ(a.table.confirmPlayer(c.n, c.typed), c.ok) << c.typed;
  EXPECT_EQ(a.errors.back(), cp("Ошибка! Неверный пароль"));
  EXPECT_TRUE(a.table.deleteAccount(2, ""));
  EXPECT_EQ(a.table.accountCount(), 2);
}

std::string recordEntry(const std::string& name, const std::string& date, std::int32_t winnings) {
  std::string r(36, '\0');
  r[0] = static_cast<char>(name.size());
  r.replace(1, name.size(), name);
  r[21] = static_cast<char>(date.size());
  r.replace(22, date.size(), date);
  r[30] = '\x11';  // reserved bytes must survive
  for (int i = 0; i < 4; ++i)
    r[32 + i] = static_cast<char>(static_cast<std::uint32_t>(winnings) >> (8 * i));
  return r;
}

std::string recordsFile(const std::vector<std::int32_t>& top) {
  std::string file;
  for (std::size_t i = 0; i < 100; ++i) {
    file += recordEntry("N" + std::to_string(i + 1), "01.01.02", i < top.size() ? top[i] : 0);
  }
  return file;
}

TEST(RecordsFile, RoundTripsExactlyAndIgnoresBytesPastTheTable) {
  TempDir dir;
  const std::string file = recordsFile({50000, -5, 7});
  dir.write("res.res", file + "extra");
  const auto table = readRecords(dir.path());
  EXPECT_EQ(table.entries[1].winnings, -5);
  writeRecords(dir.path(), table);
  EXPECT_EQ(dir.read("res.res"), file);
}

TEST(RecordsFile, MissingShortOrUnreadableFilesFailWithTheirTexts) {
  TempDir dir;
  const auto failure = [&] {
    try {
      readRecords(dir.path());
    } catch (const FileError& e) {
      return std::string(e.what());
    }
    return std::string("no failure");
  };
  EXPECT_EQ(failure(), "File not found");
  dir.write("res.res", std::string(3599, '\0'));
  EXPECT_EQ(failure(), "Read beyond end of file");
  std::filesystem::remove(dir / "res.res");
  std::filesystem::create_directory(dir / "res.res");
  EXPECT_EQ(failure(), "Cannot open file res.res");
}

TEST(RecordsInsertion, PlacesPayoutsAboveEqualResults) {
  const struct {
    std::vector<std::int32_t> top;
    std::int32_t payout;
    int place;
  } cases[] = {{{5000, 2500, 2500}, 2500, 2},
               {{5000, 2500}, 0, 3},
               {{}, 0, 1},
               {std::vector<std::int32_t>(100, 10), 9, 0},
               {std::vector<std::int32_t>(99, 10), 9, 100},
               {{1000, -3}, -3, 2}};
  for (const auto& c : cases) {
    TempDir dir;
    dir.write("res.res", recordsFile(c.top));
    EXPECT_EQ(placeFor(readRecords(dir.path()), c.payout), c.place) << c.payout;
  }
}

TEST(RecordsInsertion, ShiftsDownCutsNameAndDateAndKeepsTheSlotsOtherBytes) {
  TempDir dir;
  dir.write("res.res", recordsFile({5000, 2500, 2500}));
  auto table = readRecords(dir.path());
  insertEntry(table, 2, cp("Игрок с очень длинным именем"), "07.12.2026", 2500);
  writeRecords(dir.path(), table);
  const auto back = readRecords(dir.path());
  EXPECT_EQ(back.entries[1].name.str(), cp("Игрок с очень длинны"));
  EXPECT_EQ(back.entries[1].date.str(), "07.12.20");
  EXPECT_EQ(back.entries[1].reserved[0], 0x11);
  EXPECT_EQ(back.entries[2].name.str(), "N2");
  EXPECT_EQ(back.entries[3].name.str(), "N3");
  EXPECT_EQ(back.entries[99].name.str(), "N99");
  EXPECT_EQ(dir.read("res.res").size(), 3600u);
  EXPECT_EQ(placeMessage(2), cp("Вы попали на 2 место в таблице рекордов!"));

  insertEntry(table, 100, "La\nst", "d\r", 1);
  EXPECT_EQ(table.entries[99].name.str(), "La st");  // one row, whatever was passed in
  EXPECT_EQ(table.entries[99].date.str(), "d ");
  EXPECT_EQ(table.entries[98].name.str(), "N98");
}

}  // namespace
}  // namespace kelmora
