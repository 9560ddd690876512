#pragma once

// The player selection dialog as data: which view is up, what the list holds, which controls
// can be used and what the fields show. The window draws it and passes clicks and typed text
// in; accounts change in memory and reach account.ini when the dialog closes.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/players/accounts.h"
#include "core/text/notify.h"
#include "core/view/display.h"

namespace kelmora {

struct SignInView {
  static constexpr int kSelectionHeight = 170;
  static constexpr int kNewPlayerHeight = 314;

  int height = kSelectionHeight;   // outer height: the new-player fields lie below 170
  std::vector<std::string> names;  // ComboBox1, players in table order
  int selected = -1;               // list index, -1 with no player
  unsigned listRevision = 0;       // bumped when the list is refilled and reselected

  bool listEnabled = true;      // ComboBox1; coloured as a button face while disabled
  bool passwordEnabled = true;  // Edit2, likewise
  bool nextEnabled = true;      // Button1 "&Дальше >>"
  bool newEnabled = true;       // Button2 "&Новый"
  bool changeEnabled = false;   // Button5 "&Изменить"
  bool deleteEnabled = true;    // Button3 "&Удалить"

  EditBox password;        // Edit2
  EditBox name;            // Edit1
  EditBox newPassword;     // Edit3
  EditBox repeatPassword;  // Edit4

  bool closed = false;
};

class SignIn {
 public:
  // message shows an information box with the text given whole; error shows the error box of
  // a failed file operation.
  SignIn(std::filesystem::path dir, Notify message, Notify error);

  // Creation: loads the accounts; with none (or no file) only "&Новый" can be used. A file
  // that is there but cannot be read is reported, then explained: new players won't be saved.
  void create();

  void newPlayer();  // "&Новый"
  void addPlayer(std::string_view name, std::string_view password,
                 std::string_view repeat);                  // "&Добавить"
  void deletePlayer(int selected, std::string_view typed);  // "&Удалить"
  void changePlayer(int selected, std::string_view typed);  // "&Изменить"
  // "&Дальше >>": true when the password was right and the dialog closes.
  bool next(int selected, std::string_view typed);
  // Closing writes account.ini; a failure is shown and the dialog closes all the same. An
  // account.ini that could not be read at creation is left as it is (the player was told).
  void close();

  const SignInView& view() const { return view_; }
  const AccountTable& accounts() const { return table_; }
  // The player: the selected item of the list.
  std::string player() const;

 private:
  void refillList();
  void setSelectionControls(bool on);
  void showNewPlayerView();
  bool hasPlayer(int selected) const;

  Notify message_;
  Notify error_;
  AccountTable table_;
  SignInView view_;
};

}  // namespace kelmora
