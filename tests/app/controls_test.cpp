// The main window's controls in every state of a game, and the keys and clicks the rules name:
// what a player can use, and that nothing is judged, logged or paid without them.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <sstream>

#include "app/circle_shape.h"
#include "app_fixture.h"

namespace kelmora {
namespace {

using test::AppFixture;
using test::ModalScript;

// The controls the player can use (or, for the labels, that are drawn in full), in one line.
QString usable(AppFixture& f) {
  QStringList on;
  if (f.find<QAction>("N2")->isEnabled()) on << QStringLiteral("N2");
  for (const char* name :
       {"Memo1", "Edit1", "Button2", "Button1", "ComboBox1", "Label8", "Label5", "osttime",
        "second", "Button3", "Button4", "Button5", "Edit2", "Button6"}) {
    if (f.find<QWidget>(name)->isEnabled()) on << QString::fromLatin1(name);
  }
  if (f.find<QLabel>("Label4")->isVisibleTo(&f.window())) on << QStringLiteral("Внимание!");
  const QWidget* gongBox = f.find<QWidget>("GroupBox6");
  const bool inView = gongBox->isVisibleTo(&f.window()) &&
                      gongBox->geometry().intersects(f.find<QWidget>("ClientArea")->rect());
  if (inView) on << QStringLiteral("Гонг-Игра");
  return on.join(u' ');
}

void click(AppFixture& f, const char* button) {
  QTest::mouseClick(f.find<QWidget>(button), Qt::LeftButton);
}

// Plays through the window, one word a step: F2; roundN (clears the rounds before N); right;
// wrong (after which column "1" is the right one); pass; replace; tickN (N clock ticks);
// take (the next round-won dialog takes the money); col1..col3; stop.
void play(AppFixture& f, const std::string& steps) {
  std::istringstream in(steps);
  for (std::string s; in >> s;) {
    if (s == "F2") {
      QTest::keyClick(&f.window(), Qt::Key_F2);
    } else if (s.starts_with("round")) {
      for (int r = 1; r < std::stoi(s.substr(5)); ++r) {
        for (int i = 0; i < r; ++i)
          f.answerRight();
      }
    } else if (s == "right") {
      f.answerRight();
    } else if (s == "wrong") {
      f.random.script = {0, 0, 0, 0};
      f.answer(QStringLiteral("неверно"));
    } else if (s == "pass" || s == "replace") {
      click(f, s == "pass" ? "Button2" : "Button1");
    } else if (s.starts_with("tick")) {
      for (int i = 0; i < std::stoi(s.substr(4)); ++i)
        f.window().clockTick();
    } else if (s == "take") {
      f.modals.then([](QWidget* w) { ModalScript::click(w, "Button2"); });
    } else if (s.starts_with("col")) {
      click(f, ("Button" + std::to_string(std::stoi(s.substr(3)) + 2)).c_str());
    } else if (s == "stop") {
      click(f, "Button6");
    } else {
      ADD_FAILURE() << "no step " << s;
    }
  }
}

struct ControlsCase {
  const char* state;
  const char* steps;
  const char* usable;
};

class Controls : public ::testing::TestWithParam<ControlsCase> {};

// A wrong state here is a button a player can press when the rules forbid it, or one that
// stays dead when the player needs it.
TEST_P(Controls, EachStateOfTheGameEnablesExactlyItsControls) {
  AppFixture f;
  f.start();
  play(f, GetParam().steps);
  EXPECT_EQ(usable(f), QString::fromUtf8(GetParam().usable));
}

const char* const kIdle = "N2 ComboBox1 Внимание!";
const char* const kPlaying = "Memo1 Edit1 Button2 Button1 Label8 Label5";

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Controls,
    ::testing::Values(
        ControlsCase{"Idle", "", kIdle}, ControlsCase{"RoundOne", "F2", kPlaying},
        ControlsCase{"RoundFour", "F2 round4", kPlaying},
        ControlsCase{"RoundFiveHasNoPass", "F2 round5", "Memo1 Edit1 Button1 Label8 Label5"},
        ControlsCase{"PassesRunOut", "F2 pass pass pass pass", "Memo1 Edit1 Button1 Label8 Label5"},
        ControlsCase{"PassesComeBackInTheNextRound", "F2 pass pass pass pass right", kPlaying},
        ControlsCase{"ReplacementsRunOut", "F2 replace replace replace",
                     "Memo1 Edit1 Button2 Label8 Label5"},
        ControlsCase{"LastHalfMinute", "F2 tick211",
                     "Memo1 Edit1 Button2 Button1 Label8 Label5 osttime"},
        ControlsCase{"GongDealt", "F2 right wrong",
                     "Label8 Label5 Button3 Button4 Button5 Гонг-Игра"},
        ControlsCase{"GongRunning", "F2 right wrong col2", "Label8 Label5 Edit2 Button6 Гонг-Игра"},
        ControlsCase{"AfterTheGongGame", "F2 right wrong col2 stop", kIdle},
        ControlsCase{"AfterALossInRoundOne", "F2 wrong", kIdle},
        ControlsCase{"AfterTheMoneyIsTaken", "F2 take right", kIdle}),
    [](const auto& info) { return std::string(info.param.state); });

QString logged(AppFixture& f) {
  // The answers and commands the game has logged in this run, one per line.
  f.app.reset();
  return QString::fromUtf8(toUtf8(f.dir.read("log.txt")));
}

TEST(Keys, TypingWithoutEnterJudgesNothing) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  auto* answer = f.find<QLineEdit>("Edit1");
  QTest::keyClicks(answer, QStringLiteral("wrong"));
  EXPECT_TRUE(f.app->game().running()) << "a letter typed lost the game";
  answer->clear();
  QTest::keyClicks(answer, QStringLiteral("a0"));
  EXPECT_EQ(f.app->game().state().round, 1) << "a right answer was taken before Enter";
  EXPECT_EQ(f.modals.seen.size(), 1);  // the sign-in only
  QTest::keyClick(answer, Qt::Key_Return);
  EXPECT_EQ(f.app->game().state().round, 2);
}

TEST(Keys, EnterOnAnEmptyAnswerBoxLogsNothing) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  auto* answer = f.find<QLineEdit>("Edit1");
  QTest::keyClick(answer, Qt::Key_Return);
  QTest::keyClick(answer, Qt::Key_Enter);
  EXPECT_TRUE(f.app->game().running());
  EXPECT_FALSE(logged(f).contains(QStringLiteral("[Ответ]")));
}

TEST(Keys, WhatThePlayerTypesSurvivesAClockTick) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  auto* answer = f.find<QLineEdit>("Edit1");
  QTest::keyClicks(answer, QStringLiteral("a"));
  f.window().clockTick();
  QTest::keyClicks(answer, QStringLiteral("0"));
  EXPECT_EQ(answer->text(), QStringLiteral("a0"));
  QTest::keyClick(answer, Qt::Key_Return);
  EXPECT_EQ(f.app->game().state().round, 2);
  EXPECT_EQ(answer->text(), QString()) << "the next question starts with an empty box";
}

QColor circle(AppFixture& f, const char* name) {
  return f.window().findChild<app::CircleShape*>(QString::fromLatin1(name))->colour();
}

TEST(Buttons, PassAndReplacementEachSpendOnlyTheirOwn) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  const QColor navy(0, 0, 0x80);
  const QColor white(Qt::white);
  click(f, "Button2");
  EXPECT_EQ(circle(f, "v5"), white);
  EXPECT_EQ(circle(f, "z1"), navy);
  EXPECT_EQ(f.app->game().state().replacementsLeft, 3);
  click(f, "Button1");
  EXPECT_EQ(circle(f, "z1"), white);
  EXPECT_EQ(circle(f, "v4"), navy);
  EXPECT_EQ(f.app->game().state().passesLeft, 3);
  EXPECT_TRUE(logged(f).contains(QStringLiteral("[ПАС]\r\n[Замена]\r\n")));
}

TEST(Buttons, AClickOnADisabledButtonDoesNothing) {
  AppFixture f;
  f.start();
  click(f, "Button2");
  click(f, "Button1");
  click(f, "Button3");
  play(f, "F2 round5");
  const QString question = f.find<QPlainTextEdit>("Memo1")->toPlainText();
  click(f, "Button2");  // round 5 has no pass
  EXPECT_EQ(f.app->game().state().passesUsed, 0);
  EXPECT_EQ(f.find<QPlainTextEdit>("Memo1")->toPlainText(), question);
  EXPECT_FALSE(logged(f).contains(QStringLiteral("[ПАС]")));
}

TEST(GongBox, TheValueBoxOnlyShowsTheTickersAmounts) {
  AppFixture f;
  f.start();
  play(f, "F2 right wrong");
  auto* value = f.find<QLineEdit>("Edit2");
  EXPECT_TRUE(value->isReadOnly());
  play(f, "col1");
  f.window().gongTick();
  QTest::keyClicks(value, QStringLiteral("9999"));
  EXPECT_EQ(value->text(), QStringLiteral("50"));
  f.modals.seen.clear();
  click(f, "Button6");
  EXPECT_EQ(f.modals.seen.value(0), QStringLiteral("message: Вы смогли отыграть: 50 рублей."));
}

}  // namespace
}  // namespace kelmora
