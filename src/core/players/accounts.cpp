#include "core/players/accounts.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/files/file_io.h"
#include "core/players/binary_file.h"
#include "core/text/cp1251.h"
#include "core/text/one_line.h"

namespace kelmora {

namespace {

constexpr std::size_t kTableBytes = AccountTable::kCapacity * PlayerAccount::kSize;

// Copies the whole records past the table from the current account.ini into out, without
// holding them all in memory. If they cannot be read the save is abandoned, since writing the
// file without them would lose those players.
void copyRecordsBeyondTable(const std::filesystem::path& file, int records, AtomicFile& out) {
  InputFile in(file);
  if (!in.isOpen()) throw FileError::cannotCreate(kAccountsFile);
  std::vector<char> chunk(64 * 1024);
  std::size_t skip = kTableBytes;
  auto left = static_cast<std::size_t>(records) * PlayerAccount::kSize;
  std::string pending;
  while (left > 0) {
    const auto n = in.read(chunk.data(), std::min(skip > 0 ? skip : left, chunk.size()));
    if (n < 0) throw FileError::cannotCreate(kAccountsFile);
    if (n == 0) break;
    const auto got = static_cast<std::size_t>(n);
    if (skip > 0) {
      skip -= got;
      continue;
    }
    left -= got;
    // Only whole records go back, as on reading; a read may end inside one.
    pending.append(chunk.data(), got);
    const std::size_t whole = pending.size() - pending.size() % PlayerAccount::kSize;
    out.write({pending.data(), whole});
    pending.erase(0, whole);
  }
}

}  // namespace

PlayerAccount PlayerAccount::fromBytes(const std::uint8_t* raw) {
  PlayerAccount a;
  a.name = ShortString<20>::fromBytes(raw);
  a.password = ShortString<10>::fromBytes(raw + 21);
  std::copy_n(raw + 32, a.reserved.size(), a.reserved.begin());
  return a;
}

void PlayerAccount::toBytes(std::uint8_t* raw) const {
  std::copy(name.bytes().begin(), name.bytes().end(), raw);
  std::copy(password.bytes().begin(), password.bytes().end(), raw + 21);
  std::copy(reserved.begin(), reserved.end(), raw + 32);
}

std::string errorMessage(std::string_view text) {
  return std::string("Ошибка! "_cp) + std::string(text);
}

std::string accountsOverflowMessage(int beyond) {
  return std::string(
             "В файле account.ini больше 100 игроков. В списке показаны первые 100; остальные записи (их "_cp) +
         std::to_string(beyond) +
         std::string(") останутся в файле и появятся в списке, когда в нём освободится место."_cp);
}

std::string unreadableAccountsMessage() {
  return std::string(
      "Файл account.ini есть, но прочитать его не удалось, поэтому список игроков пуст. Чтобы не стереть записанных в нём игроков, новые игроки в этот раз сохранены не будут. Проверьте права доступа к файлу account.ini."_cp);
}

AccountTable::AccountTable(std::filesystem::path dir, Notify showError)
    : dir_(std::move(dir)), showError_(std::move(showError)) {}

int AccountTable::loadAccounts() {
  count_ = 0;
  beyondCapacity_ = 0;
  unreadable_ = false;
  std::uintmax_t size = 0;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = readFilePrefix(dir_ / kAccountsFile, kTableBytes, &size);
  } catch (const FileError& e) {
    unreadable_ = !e.isNotFound();
    throw;
  }
  count_ = static_cast<int>(bytes.size() / PlayerAccount::kSize);
  for (int i = 0; i < count_; ++i) {
    slots_[static_cast<std::size_t>(i)] =
        PlayerAccount::fromBytes(bytes.data() + static_cast<std::size_t>(i) * PlayerAccount::kSize);
  }
  if (count_ == kCapacity && size > kTableBytes) {
    beyondCapacity_ = static_cast<int>(std::min<std::uintmax_t>(
        (size - kTableBytes) / PlayerAccount::kSize, std::numeric_limits<int>::max()));
  }
  return count_;
}

bool AccountTable::saveAccounts() const {
  if (unreadable_) return false;
  const auto file = dir_ / kAccountsFile;
  AtomicFile out(file, kAccountsFileMode);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count_) * PlayerAccount::kSize);
  for (int i = 0; i < count_; ++i) {
    slots_[static_cast<std::size_t>(i)].toBytes(bytes.data() +
                                                static_cast<std::size_t>(i) * PlayerAccount::kSize);
  }
  out.write({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  if (beyondCapacity_ > 0) copyRecordsBeyondTable(file, beyondCapacity_, out);
  out.commit();
  return true;
}

void AccountTable::addAccount(std::string_view name, std::string_view password) {
  if (count_ == kCapacity) return;
  auto& slot = slots_[static_cast<std::size_t>(count_++)];
  slot.name.assign(oneLine(name));
  slot.password.assign(oneLine(password));
}

bool AccountTable::passwordMatches(int n, std::string_view typed) const {
  return slot(n).password.view() == typed;
}

bool AccountTable::deleteAccount(int n, std::string_view typed) {
  if (!passwordMatches(n, typed)) {
    showError_(errorMessage("В доступе отказано!"_cp));
    return false;
  }
  const auto first = slots_.begin() + n;
  std::copy(first, slots_.begin() + count_, first - 1);
  --count_;
  return true;
}

bool AccountTable::confirmPlayer(int n, std::string_view typed) {
  if (!passwordMatches(n, typed)) {
    showError_(errorMessage("Неверный пароль"_cp));
    return false;
  }
  return true;
}

}  // namespace kelmora
