// The real timers, chance and message boxes behind the game, as the program wires them.
#include "app/window_ports.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <set>

#include "app/circle_shape.h"
#include "app_fixture.h"

namespace kelmora {
namespace {

using test::AppFixture;
using test::ModalScript;

// The program's own timers instead of the scripted ones.
void startWithRealTimers(AppFixture& f) {
  f.modals.then(test::signInWith(QString::fromStdString(f.firstPassword)));
  f.app = std::make_unique<app::Application>(
      f.dir.path(), app::Application::Overrides{&f.random, nullptr, &f.calendar});
  f.app->start();
  f.window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window(), 1000));
}

TEST(RealTimers, TheRoundClockTicksOnceASecondAndMovesTheClock) {
  AppFixture f;
  startWithRealTimers(f);
  QTimer& clock = f.window().clockTimer();
  EXPECT_FALSE(clock.isActive());
  QTest::keyClick(&f.window(), Qt::Key_F2);
  EXPECT_TRUE(clock.isActive());
  EXPECT_EQ(clock.interval(), 1000) << "the player's four minutes would not be four minutes";
  auto* left = f.find<QLabel>("osttime");
  EXPECT_TRUE(QTest::qWaitFor([&] { return left->text() == QStringLiteral("3:59"); }, 2500))
      << left->text().toStdString();
  EXPECT_EQ(f.find<QLabel>("second")->text(), QStringLiteral("1"));
}

TEST(RealTimers, TheGongTickerStartsAtTwoSecondsThenTakesEachDrawnInterval) {
  AppFixture f;
  startWithRealTimers(f);
  QTest::keyClick(&f.window(), Qt::Key_F2);
  f.answerRight();
  f.random.script = {0, 0, 0, 0};
  f.answer(QStringLiteral("неверно"));
  QTimer& ticker = f.window().gongTimer();
  EXPECT_FALSE(f.window().clockTimer().isActive()) << "the clock runs on into the gong game";
  EXPECT_FALSE(ticker.isActive());
  QTest::mouseClick(f.find<QWidget>("Button3"), Qt::LeftButton);
  EXPECT_TRUE(ticker.isActive());
  EXPECT_EQ(ticker.interval(), 2000);
  f.random.script = {0};
  f.window().gongTick();
  EXPECT_EQ(ticker.interval(), 1000);
  f.random.script = {3};
  f.window().gongTick();
  EXPECT_EQ(ticker.interval(), 2500);
  EXPECT_EQ(f.find<QLineEdit>("Edit2")->text(), QStringLiteral("100"));
}

TEST(Chance, EveryDrawIsInsideTheRangeAndReachesBothEnds) {
  app::ClockRandom random;
  random.seed();
  for (const int n : {1, 2, 3, 30}) {
    std::set<int> drawn;
    for (int i = 0; i < 40 * n; ++i)
      drawn.insert(random.randomIndex(n));
    EXPECT_EQ(*drawn.begin(), 0) << n;
    EXPECT_EQ(*drawn.rbegin(), n - 1) << n;  // a question past the end would be drawn
  }
}

TEST(Messages, TheLossMessageOpensOverTheRedCircleUnderTheGamesName) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  QColor behind;
  bool answerBoxLive = true;
  QString title;
  f.modals.then([&](QWidget* box) {
    behind = f.window().findChild<app::CircleShape*>(QStringLiteral("v1"))->colour();
    answerBoxLive = f.find<QLineEdit>("Edit1")->isEnabled();
    title = box->windowTitle();
    ModalScript::close(box);
  });
  f.answer(QStringLiteral("неверно"));
  EXPECT_EQ(behind, QColor(Qt::red));
  EXPECT_FALSE(answerBoxLive);
  EXPECT_EQ(title, QStringLiteral("Кельмора..."));
}

}  // namespace
}  // namespace kelmora
