#pragma once

// The whole program over a temporary directory, with scripted chance, no real clock ticks, a
// fixed calendar and a scripted player at every modal window.

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "engine/engine_harness.h"
#include "modal_script.h"
#include "test_support.h"

// Readable failures: gtest finds these beside QString by argument-dependent lookup.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << "{";
  for (const auto& s : list)
    *os << " \"" << s.toStdString() << "\"";
  *os << " }";
}

namespace kelmora::test {

// One 64-byte account record.
std::string accountRecord(const std::string& name, const std::string& password);

// Names and passwords, in UTF-8.
using Players = std::vector<std::pair<std::string, std::string>>;

struct AppFixture {
  // Writes the game's files; the accounts file holds the given players (none: no file).
  explicit AppFixture(const Players& players = {{"Игрок", "pw"}}, int mainQuestions = 30);

  // Creates the program (loading the log and the accounts) and starts it, signing in with
  // the given answers at the player dialog (by default: the first player's password).
  void start();
  void start(const std::vector<ModalScript::Answer>& signIn);

  app::MainWindow& window() { return app->mainWindow(); }
  template <class W>
  W* find(const char* name) {
    return window().findChild<W*>(QString::fromLatin1(name));
  }
  // Types into the answer box and presses Enter.
  void answer(const QString& text);
  void answerRight();

  TempDir dir;
  ScriptedRandom random;
  FakeTimers timers;
  FixedCalendar calendar;
  ModalScript modals;
  std::string firstPassword;
  std::unique_ptr<app::Application> app;
};

// Signs in at the player dialog with the password of the selected player.
ModalScript::Answer signInWith(const QString& password);

}  // namespace kelmora::test
