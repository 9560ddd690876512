// The small windows as a player meets them: the limits of the player dialog's fields as typed
// and as stored, the keys it answers to, and the round-won dialog from one game to the next.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app_fixture.h"

namespace kelmora {
namespace {

using test::AppFixture;
using test::ModalScript;

QLineEdit* edit(QWidget* dialog, const char* name) {
  return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

TEST(PlayerDialogFields, EachFieldTakesAsManyCharactersAsItsRecordHolds) {
  const struct {
    const char* field;
    int limit;  // more typed than stored would be a name or password the player never gets
    bool hidden;
  } cases[] = {{"Edit1", 20, false}, {"Edit2", 10, true}, {"Edit3", 10, true}, {"Edit4", 10, true}};
  AppFixture f;
  const QString typed = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
  f.start({[&](QWidget* w) {
    ModalScript::click(w, "Button2");  // the new-player view shows every field
    for (const auto& c : cases) {
      QLineEdit* e = edit(w, c.field);
      e->setEnabled(true);
      e->clear();
      QTest::keyClicks(e, typed);
      EXPECT_EQ(e->text(), typed.left(c.limit)) << c.field;
      EXPECT_EQ(e->echoMode() == QLineEdit::Password, c.hidden) << c.field;
    }
    edit(w, "Edit4")->setText(edit(w, "Edit3")->text());
    ModalScript::click(w, "Button4");
    edit(w, "Edit2")->clear();
    QTest::keyClicks(edit(w, "Edit2"), QStringLiteral("pw"));
    ModalScript::click(w, "Button1");
  }});
  // The new player is stored whole: a full name and a full password.
  const std::string stored = f.dir.read("account.ini").substr(64);
  EXPECT_EQ(stored, test::accountRecord("abcdefghijklmnopqrst", "abcdefghij"));
}

TEST(PlayerDialogFields, WhatAddIsRefusedWithTellsThePlayerWhy) {
  test::Players hundred;
  for (int i = 1; i <= 100; ++i)
    hundred.push_back({"P" + std::to_string(i), "p"});
  const struct {
    const char* what;
    test::Players players;
    const char* name;
    const char* password;
    const char* repeat;
    const char* message;
    int names;  // in the list afterwards
  } cases[] = {
      {"no name, passwords differ",
       {{"Анна", "a"}},
       "",
       "1",
       "2",
       "message: Ошибка! Введите имя игрока.",
       1},
      {"passwords differ",
       {{"Анна", "a"}},
       "Вера",
       "1",
       "2",
       "message: Ошибка! Введите данные заново...",
       1},
      {"a hundred players already", hundred, "Вера", "1", "1",
       "message: Ошибка! Игроков не может быть более 100! Удалите игрока если хотите создать "
       "нового!",
       100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AppFixture f(c.players);
    QString seen;
    int names = 0;
    f.start({[&](QWidget* w) {
      ModalScript::click(w, "Button2");
      edit(w, "Edit1")->setText(QString::fromUtf8(c.name));
      edit(w, "Edit3")->setText(QString::fromUtf8(c.password));
      edit(w, "Edit4")->setText(QString::fromUtf8(c.repeat));
      f.modals.seen.clear();
      ModalScript::click(w, "Button4");
      seen = f.modals.seen.value(0);
      auto* list = w->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
      names = list->count();
      if (!list->isEnabled()) {  // still in the new-player view: add one to get out
        edit(w, "Edit1")->setText(QStringLiteral("Вера"));
        edit(w, "Edit3")->setText(QStringLiteral("1"));
        edit(w, "Edit4")->setText(QStringLiteral("1"));
        ModalScript::click(w, "Button4");
      }
      list->setCurrentIndex(0);
      edit(w, "Edit2")->setText(QString::fromStdString(c.players.front().second));
      ModalScript::click(w, "Button1");
    }});
    EXPECT_EQ(seen, QString::fromUtf8(c.message));
    EXPECT_EQ(names, c.names);
  }
}

TEST(PlayerDialogKeys, OnlyEnterTriesThePasswordAndNoKeyClosesTheDialogWithoutIt) {
  AppFixture f(test::Players{{"Анна", "secret"}});
  QStringList seenWhileTyping;
  bool openAfterEscape = false;
  f.start({[&](QWidget* w) {
    QTest::keyClick(w, Qt::Key_Escape);
    w->close();  // what the window manager asks on Alt+F4
    QTest::qWait(20);
    openAfterEscape = w->isVisible();
    if (!openAfterEscape) return;
    f.modals.seen.clear();
    QLineEdit* password = edit(w, "Edit2");
    password->setFocus();
    QTest::keyClicks(password, QStringLiteral("secret"));
    QTest::qWait(20);
    seenWhileTyping = f.modals.seen;
    if (w->isVisible()) QTest::keyClick(password, Qt::Key_Return);
  }});
  EXPECT_TRUE(openAfterEscape) << "the game would start without a player";
  EXPECT_EQ(seenWhileTyping, QStringList()) << "a password was tried before Enter";
  EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Кельмора... [Анна]"));
}

TEST(RoundWonDialog, ShowsTheRoundsSecondsAndEachGameAsksAfresh) {
  AppFixture f;
  f.start();
  QStringList secondsShown;
  const auto readSecondsThen = [&](const char* button) {
    return [&secondsShown, button](QWidget* w) {
      secondsShown << w->findChild<QLabel*>(QStringLiteral("Label4"))->text();
      ModalScript::click(w, button);
    };
  };
  QTest::keyClick(&f.window(), Qt::Key_F2);
  for (int i = 0; i < 7; ++i)
    f.window().clockTick();
  f.modals.then(readSecondsThen("Button2"));  // the money is taken
  f.answerRight();
  EXPECT_FALSE(f.app->game().running());

  f.find<QAction>("N2")->trigger();
  for (int i = 0; i < 12; ++i)
    f.window().clockTick();
  f.modals.then(readSecondsThen("Button1"));  // "Дальше" in the next game goes on
  f.answerRight();
  EXPECT_TRUE(f.app->game().running()) << "the choice of the earlier game was kept";
  EXPECT_EQ(f.app->game().state().round, 2);
  EXPECT_EQ(secondsShown, (QStringList{QStringLiteral("7"), QStringLiteral("12")}));
}

}  // namespace
}  // namespace kelmora
