#pragma once

// The registered players, account.ini: 64-byte records, read when the selection dialog is
// created and written back whole when it closes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/files/game_files.h"
#include "core/text/notify.h"
#include "core/text/short_string.h"

namespace kelmora {

struct PlayerAccount {
  static constexpr std::size_t kSize = 64;

  ShortString<20> name;
  ShortString<10> password;  // plain text: existing files rely on it
  std::array<std::uint8_t, 32> reserved{};

  static PlayerAccount fromBytes(const std::uint8_t* raw);
  void toBytes(std::uint8_t* raw) const;
};

// "Ошибка! " and the text, as the selection dialog shows it.
std::string errorMessage(std::string_view text);

class AccountTable {
 public:
  static constexpr int kCapacity = 100;

  AccountTable(std::filesystem::path dir, Notify showError);

  // Reads account.ini; returns the number of players. Records past the 100 the table holds
  // are not shown but are written back after the table, so no player is ever lost.
  // Throws FileError "File not found", or "Cannot open file account.ini" for a file that is
  // there but cannot be read; the table is then empty.
  int loadAccounts();
  // Rewrites account.ini; a file the game creates is the owner's alone, one that exists keeps
  // its permissions. Returns false, writing nothing, when the last load found the file but
  // could not read it: the players in it must not be replaced by the ones added since.
  // Throws FileError "Cannot create file account.ini".
  bool saveAccounts() const;
  bool fileUnreadable() const { return unreadable_; }

  int accountCount() const { return count_; }
  std::string accountName(int n) const { return slot(n).name.str(); }
  std::string accountPassword(int n) const { return slot(n).password.str(); }
  // Records beyond the table's 100 slots found by the last load.
  int recordsBeyondCapacity() const { return beyondCapacity_; }

  // The caller refuses a 101st player; a full table ignores the call. A control character in
  // either text is stored as a blank.
  void addAccount(std::string_view name, std::string_view password);
  // Both return whether the typed password was right; a wrong one shows its error.
  bool deleteAccount(int n, std::string_view typed);
  bool confirmPlayer(int n, std::string_view typed);

  bool passwordMatches(int n, std::string_view typed) const;
  const PlayerAccount& slot(int n) const { return slots_.at(static_cast<std::size_t>(n - 1)); }

 private:
  std::filesystem::path dir_;
  Notify showError_;
  std::array<PlayerAccount, kCapacity> slots_{};
  int count_ = 0;
  int beyondCapacity_ = 0;
  bool unreadable_ = false;
};

// What the player is told when account.ini holds more players than the list shows.
std::string accountsOverflowMessage(int beyond);
// What the player is told when account.ini is there but cannot be read.
std::string unreadableAccountsMessage();

}  // namespace kelmora
