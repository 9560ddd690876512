#include "core/players/sign_in.h"

#include "core/files/file_error.h"
#include "core/text/cp1251.h"

namespace kelmora {

SignIn::SignIn(std::filesystem::path dir, Notify message, Notify error)
    : message_(std::move(message)),
      error_(std::move(error)),
      table_(std::move(dir), [this](const std::string& text) { message_(text); }) {}

void SignIn::create() {
  view_.height = SignInView::kSelectionHeight;
  try {
    table_.loadAccounts();
  } catch (const FileError& e) {
    error_(e.what());
    if (table_.fileUnreadable()) message_(unreadableAccountsMessage());
  }
  if (table_.recordsBeyondCapacity() > 0) {
    message_(accountsOverflowMessage(table_.recordsBeyondCapacity()));
  }
  refillList();
  view_.changeEnabled = false;
}

bool SignIn::hasPlayer(int selected) const {
  return selected >= 0 && selected < table_.accountCount();
}

// With no player in the list only "&Новый" makes sense; this is also where deleting the last
// player leaves the dialog.
void SignIn::refillList() {
  view_.names.clear();
  for (int n = 1; n <= table_.accountCount(); ++n)
    view_.names.push_back(table_.accountName(n));
  view_.selected = view_.names.empty() ? -1 : 0;
  ++view_.listRevision;
  if (view_.names.empty()) {
    view_.listEnabled = view_.passwordEnabled = false;
    view_.nextEnabled = view_.deleteEnabled = view_.changeEnabled = false;
    view_.newEnabled = true;
  }
}

void SignIn::setSelectionControls(bool on) {
  view_.listEnabled = view_.passwordEnabled = on;
  view_.nextEnabled = view_.newEnabled = view_.deleteEnabled = view_.changeEnabled = on;
}

void SignIn::showNewPlayerView() {
  view_.height = SignInView::kNewPlayerHeight;
  setSelectionControls(false);
}

void SignIn::newPlayer() {
  showNewPlayerView();
}

void SignIn::addPlayer(std::string_view name, std::string_view password, std::string_view repeat) {
  if (!name.empty() && password != repeat) {
    message_(std::string("Ошибка! Введите данные заново..."_cp));
    view_.newPassword.set("");
    view_.repeatPassword.set("");
    view_.name.set("");
    return;
  }
  if (name.empty()) {
    // A nameless player could never be told apart in the list or the records.
    message_(std::string("Ошибка! Введите имя игрока."_cp));
    return;
  }
  if (table_.accountCount() == AccountTable::kCapacity) {
    message_(std::string(
        "Ошибка! Игроков не может быть более 100! Удалите игрока если хотите создать нового!"_cp));
  } else {
    table_.addAccount(name, password);
  }
  view_.height = SignInView::kSelectionHeight;
  setSelectionControls(true);
  refillList();
}

void SignIn::deletePlayer(int selected, std::string_view typed) {
  if (!hasPlayer(selected)) return;
  table_.deleteAccount(selected + 1, typed);
  refillList();
  view_.password.set("");
}

void SignIn::changePlayer(int selected, std::string_view typed) {
  if (!hasPlayer(selected)) return;
  if (!table_.passwordMatches(selected + 1, typed)) {
    message_(errorMessage("Неверный пароль!"_cp));
    return;
  }
  showNewPlayerView();
  view_.name.set(table_.accountName(selected + 1));
  view_.newPassword.set(std::string(typed));
  view_.repeatPassword.set(std::string(typed));
}

bool SignIn::next(int selected, std::string_view typed) {
  if (!hasPlayer(selected)) return false;
  if (!table_.confirmPlayer(selected + 1, typed)) return false;
  view_.selected = selected;
  view_.closed = true;
  return true;
}

void SignIn::close() {
  try {
    table_.saveAccounts();
  } catch (const FileError& e) {
    error_(e.what());
  }
}

std::string SignIn::player() const {
  return hasPlayer(view_.selected) ? view_.names[static_cast<std::size_t>(view_.selected)]
                                   : std::string();
}

}  // namespace kelmora
