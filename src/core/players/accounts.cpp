#include "core/players/accounts.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "core/players/binary_file.h"
#include "core/text/atomic_file.h"
#include "core/text/cp1251.h"

namespace kelmora {

namespace {

constexpr std::size_t kTableBytes = AccountTable::kCapacity * PlayerAccount::kSize;

// Copies the whole records past the table from the current account.ini into out, without
// holding them all in memory.
void copyRecordsBeyondTable(const std::filesystem::path& file, int records, AtomicFile& out) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> in(std::fopen(file.c_str(), "rb"));
  if (!in || std::fseek(in.get(), static_cast<long>(kTableBytes), SEEK_SET) != 0) return;
  auto left = static_cast<std::size_t>(records) * PlayerAccount::kSize;
  std::vector<char> chunk(64 * 1024);
  while (left > 0) {
    const std::size_t n = std::fread(chunk.data(), 1, std::min(left, chunk.size()), in.get());
    if (n == 0) break;
    // Only whole records go back, as on reading.
    const std::size_t whole = n == left ? n : n - n % PlayerAccount::kSize;
    out.write({chunk.data(), whole});
    left -= whole;
    if (whole < n) break;
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

AccountTable::AccountTable(std::filesystem::path dir, Notify showError)
    : dir_(std::move(dir)), showError_(std::move(showError)) {}

int AccountTable::loadAccounts() {
  count_ = 0;
  beyondCapacity_ = 0;
  const auto file = dir_ / kAccountsFile;
  const auto bytes = readFilePrefix(file, kTableBytes);
  count_ = static_cast<int>(bytes.size() / PlayerAccount::kSize);
  for (int i = 0; i < count_; ++i) {
    slots_[static_cast<std::size_t>(i)] =
        PlayerAccount::fromBytes(bytes.data() + static_cast<std::size_t>(i) * PlayerAccount::kSize);
  }
  if (count_ == kCapacity) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (!ec && size > kTableBytes) {
      beyondCapacity_ = static_cast<int>(std::min<std::uintmax_t>(
          (size - kTableBytes) / PlayerAccount::kSize, std::numeric_limits<int>::max()));
    }
  }
  return count_;
}

void AccountTable::saveAccounts() const {
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
}

void AccountTable::addAccount(std::string_view name, std::string_view password) {
  if (count_ == kCapacity) return;
  auto& slot = slots_[static_cast<std::size_t>(count_++)];
  slot.name.assign(name);
  slot.password.assign(password);
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
