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

TEST(PlayerDialogFields, AFullLengthNameAndPasswordSignIn) {
  AppFixture f(test::Players{{"Анна", "a"}});
  f.start({[&](QWidget* w) {
    ModalScript::click(w, "Button2");
    QTest::keyClicks(edit(w, "Edit1"), QStringLiteral("Konstantin Vasilyevi"));
    QTest::keyClicks(edit(w, "Edit3"), QStringLiteral("0123456789"));
    QTest::keyClicks(edit(w, "Edit4"), QStringLiteral("0123456789"));
    ModalScript::click(w, "Button4");
    w->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
    QTest::keyClicks(edit(w, "Edit2"), QStringLiteral("0123456789"));
    ModalScript::click(w, "Button1");
  }});
  EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Кельмора... [Konstantin Vasilyevi]"));
}

TEST(PlayerDialogKeys, OnlyEnterTriesThePasswordAndNoKeyClosesTheDialogWithoutIt) {
  AppFixture f(test::Players{{"Анна", "secret"}});
  QStringList seenWhileTyping;
  bool openAfterEscape = false;
  f.start({[&](QWidget* w) {
    QTest::keyClick(w, Qt::Key_Escape);
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
  EXPECT_TRUE(openAfterEscape) << "Escape let the game start without a player";
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
    f.window().Timer1Timer();
  f.modals.then(readSecondsThen("Button2"));  // the money is taken
  f.answerRight();
  EXPECT_FALSE(f.app->game().running());

  f.find<QAction>("N2")->trigger();
  for (int i = 0; i < 12; ++i)
    f.window().Timer1Timer();
  f.modals.then(readSecondsThen("Button1"));  // "Дальше" in the next game goes on
  f.answerRight();
  EXPECT_TRUE(f.app->game().running()) << "the choice of the earlier game was kept";
  EXPECT_EQ(f.app->game().state().round, 2);
  EXPECT_EQ(secondsShown, (QStringList{QStringLiteral("7"), QStringLiteral("12")}));
}

}  // namespace
}  // namespace kelmora
