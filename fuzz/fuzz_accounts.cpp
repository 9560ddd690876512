// Any bytes as account.ini: loading and saving again must give back every whole record byte
// for byte (damaged length bytes, leftovers and the records past the table's 100 included).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>

#include "core/players/accounts.h"
#include "fuzz_files.h"

using namespace kelmora;

namespace {

std::string recordBytes(const PlayerAccount& account) {
  std::array<std::uint8_t, PlayerAccount::kSize> raw{};
  account.toBytes(raw.data());
  return {raw.begin(), raw.end()};
}

void checkTable(const AccountTable& table, std::string_view file, std::size_t records) {
  const std::size_t shown = std::min<std::size_t>(records, AccountTable::kCapacity);
  FUZZ_CHECK(table.accountCount() == static_cast<int>(shown));
  FUZZ_CHECK(table.recordsBeyondCapacity() == static_cast<int>(records - shown));
  for (int n = 1; n <= table.accountCount(); ++n) {
    const auto at = static_cast<std::size_t>(n - 1) * PlayerAccount::kSize;
    FUZZ_CHECK(recordBytes(table.slot(n)) == file.substr(at, PlayerAccount::kSize));
    FUZZ_CHECK(table.accountName(n).size() <= 20 && table.accountPassword(n).size() <= 10);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  const auto& dir = fuzz::freshDir();
  const auto file = dir / kAccountsFile;
  fuzz::writeFile(file, bytes);
  const std::size_t records = bytes.size() / PlayerAccount::kSize;

  AccountTable table(dir, [](const std::string&) {});
  table.loadAccounts();
  checkTable(table, bytes, records);

  const auto perms = std::filesystem::status(file).permissions();
  FUZZ_CHECK(table.saveAccounts());
  // A torn last record is dropped; every whole one stays where it was.
  const std::string saved = fuzz::readFile(file);
  FUZZ_CHECK(saved == bytes.substr(0, records * PlayerAccount::kSize));
  // An existing file keeps its permissions.
  FUZZ_CHECK(std::filesystem::status(file).permissions() == perms);
  FUZZ_CHECK(std::distance(std::filesystem::directory_iterator(dir),
                           std::filesystem::directory_iterator()) == 1);

  AccountTable again(dir, [](const std::string&) {});
  again.loadAccounts();
  checkTable(again, saved, records);
  return 0;
}
