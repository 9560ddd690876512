#pragma once

// TForm2, "Выбор игрока": sign in, register, delete or re-register a player. It closes only
// through a confirmed password; closing saves the accounts.

#include <QDialog>
#include <initializer_list>
#include <vector>

#include "core/players/sign_in.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kelmora::app {

class PlayerDialog : public QDialog {
 public:
  PlayerDialog(const std::filesystem::path& dir, Notify message, Notify error);

  // Creation: loads the accounts.
  void loadAccounts();
  // Shows the dialog modally until a player has signed in; returns the player's name.
  std::string signIn();

 protected:
  void reject() override {}  // Esc must not close it
  void closeEvent(QCloseEvent* event) override;
  // The only way out: a confirmed password, and then the accounts are saved.
  void done(int result) override;

 private:
  void render();
  void act(const std::function<void()>& step);
  // The step runs only when the fields hold text the code page can store.
  void act(std::initializer_list<const QLineEdit*> fields, const std::function<void()>& step);
  static std::string typed(const QLineEdit* field);
  void signInSelected();
  void addPlayer();

  SignIn model_;
  QComboBox* players_;
  QLineEdit* password_;
  QLineEdit* name_;
  QLineEdit* newPassword_;
  QLineEdit* repeatPassword_;
  QPushButton* next_;
  QPushButton* newPlayer_;
  QPushButton* change_;
  QPushButton* delete_;
  QPushButton* add_;
  std::vector<QWidget*> newPlayerControls_;  // below the window's edge in the selection view
  int shownHeight_ = 0;
  unsigned listRevision_ = 0;
  unsigned passwordRevision_ = 0;
  unsigned nameRevision_ = 0;
  unsigned newPasswordRevision_ = 0;
  unsigned repeatRevision_ = 0;
};

}  // namespace kelmora::app
