// What the player sees and touches around the game itself: window titles and places, keys
// that must work everywhere, texts shown exactly as typed, and the windows the game's end
// opens whatever else is open.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "app_fixture.h"
#include "core/files/text_file.h"
#include "core/players/records.h"

namespace kelmora {
namespace {

using test::AppFixture;
using test::ModalScript;

// The title the window system gets: Qt's own windowTitle() would not show a name appended by
// the platform layer.
QString platformTitle(QWidget* w) {
  w->winId();
  return w->windowHandle()->title();
}

TEST(WindowTitles, EveryWindowCarriesExactlyItsOwnCaption) {
  AppFixture f;
  f.start();
  // Qt appends the application display name to every platform title when one is set.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());

  const std::pair<const char*, QString> expected[] = {
      {"TForm1", QStringLiteral("Кельмора... [Игрок]")},
      {"TForm2", QStringLiteral("Выбор игрока")},
      {"TForm3", QStringLiteral("Опции")},
      {"TForm4", QStringLiteral("Победа!!!")},
      {"TForm5", QStringLiteral("Помощь")},
      {"TForm6", QStringLiteral("Таблица рекордов")},
      {"TForm7", QStringLiteral("50000 Ваши!")},
      {"TAboutBox", QStringLiteral("О программе...")},
  };
  for (const auto& [name, title] : expected) {
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String(name)) window = w;
    ASSERT_NE(window, nullptr) << name;
    EXPECT_EQ(platformTitle(window), title) << name;
  }
}

TEST(WindowPlaces, TheMainWindowAndTheAboutBoxSitInTheMiddleOfTheScreen) {
  AppFixture f;
  f.start();
  const QPoint middle = f.window().screen()->availableGeometry().center();
  // Centred with the size its layout gives it, not the size of a window never laid out (that
  // put it 24 px too far left and 93 px too high). The test platform's frame is 2 px wide,
  // and it places the window by its client area: a few pixels are the platform's.
  EXPECT_EQ(f.find<QWidget>("ClientArea")->size(), QSize(592, 274 - 19));
  EXPECT_LE((f.window().frameGeometry().center() - middle).manhattanLength(), 4);

  f.window().move(0, 0);  // the about box belongs in the middle of the screen, not over it
  QRect about;
  f.modals.then([&](QWidget* box) {
    about = box->frameGeometry();
    ModalScript::close(box);
  });
  f.find<QAction>("N4")->trigger();
  EXPECT_LE((about.center() - middle).manhattanLength(), 4);
}

TEST(WindowPlaces, AnErrorBeforeAnyWindowIsOnScreenOpensInTheMiddle) {
  AppFixture f;
  std::filesystem::remove(f.dir / "log.txt");
  QPoint centre;
  f.modals.then([&](QWidget* box) {
    // The box is placed again once it is on screen with its real size.
    QTest::qWait(300);
    centre = box->frameGeometry().center();
    ModalScript::close(box);
  });
  f.start();
  EXPECT_EQ(f.modals.seen.front(), QStringLiteral("error: Cannot open file log.txt."));
  EXPECT_LE((centre - f.window().screen()->availableGeometry().center()).manhattanLength(), 4);
}

// A loss in round 2, with the gong columns dealt and the focus on column "1".
void loseInRoundTwo(AppFixture& f) {
  QTest::keyClick(&f.window(), Qt::Key_F2);
  f.answerRight();
  f.random.script = {0, 0, 0, 0};  // step 50; column "1" is the right one
  f.answer(QStringLiteral("неверно"));
}

TEST(GongKeys, EnterPressesTheFocusedColumnAndStop) {
  AppFixture f;
  f.start();
  loseInRoundTwo(f);
  QWidget* focused = f.window().focusWidget();
  ASSERT_EQ(focused->objectName(), QStringLiteral("Button3"));
  QTest::keyClick(focused, Qt::Key_Return);
  EXPECT_TRUE(f.timers.ticker) << "Enter on a column must start the ticker";
  ASSERT_EQ(f.window().focusWidget()->objectName(), QStringLiteral("Button6"));
  f.window().gongTick();
  f.modals.seen.clear();
  QTest::keyClick(f.window().focusWidget(), Qt::Key_Enter);
  ASSERT_FALSE(f.modals.seen.isEmpty()) << "Enter on СТОП must stop the ticker";
  EXPECT_EQ(f.modals.seen.front(), QStringLiteral("message: Вы смогли отыграть: 50 рублей."));
  EXPECT_TRUE(f.find<QAction>("N2")->isEnabled());
}

TEST(TypedTexts, ANameWithMarkupIsShownAsTyped) {
  AppFixture f(test::Players{{"<i>Вася</i>", "pw"}});
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  Qt::TextFormat format = Qt::AutoText;
  f.modals.then([&](QWidget* box) {
    format = qobject_cast<QMessageBox*>(box)->textFormat();
    ModalScript::close(box);
  });
  f.answer(QStringLiteral("неверно"));
  EXPECT_TRUE(f.modals.seen.contains(QStringLiteral(
      "message: <i>Вася</i> вы проиграли! Но еще не все потеряно! Гонг-Игра впереди...")));
  EXPECT_EQ(format, Qt::PlainText) << "the box would show the name in italics, without its tags";
}

TEST(TypedTexts, APastedLineBreakNeverReachesTheLog) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  auto* answer = f.find<QLineEdit>("Edit1");
  answer->insert(QStringLiteral("a\r\n0\nВыигрыш - 50000\t!"));
  EXPECT_EQ(answer->text(), QStringLiteral("a 0 Выигрыш - 50000 !"));
  answer->clear();
  answer->insert(QStringLiteral("a\r\n0"));  // the right answer, pasted over two lines
  QTest::keyClick(answer, Qt::Key_Return);
  EXPECT_EQ(f.app->game().state().round, 2);
  f.app.reset();
  const auto lines = splitLines(f.dir.read("log.txt"));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), test::cp("[Вопрос] - 0(0) [Ответ] - a 0")), 1);
  EXPECT_EQ(lines.size(), 7u);
}

TEST(TypedTexts, ALongTopicNameDoesNotWidenTheWindow) {
  AppFixture f;
  f.dir.write("zamen.db", test::cp("[" + std::string(300, 'W') + "]\r\nВопрос\\ответ/\r\n%\r\n"));
  f.start();
  const QSize before = f.window().size();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  EXPECT_TRUE(f.find<QLabel>("StatusPanel1")->text().startsWith(QStringLiteral("Замен на тему")));
  EXPECT_EQ(f.window().size(), before);
  EXPECT_EQ(f.find<QWidget>("ClientArea")->width(), 592);
}

TEST(GameEnd, ItsRecordsWindowOpensEvenOverTheMenusOne) {
  AppFixture f;
  f.start();
  loseInRoundTwo(f);
  QTest::keyClick(f.window().focusWidget(), Qt::Key_Space);  // column "1": never a gong
  QStringList seenInside;
  int gameRecordsRows = 0;
  f.modals.then([&](QWidget* menuRecords) {
    // The ticker runs on behind the menu's window and reaches the end of the column.
    f.modals.then(&ModalScript::close);  // "Вы отыграли максимальную сумму!"
    f.modals.then(&ModalScript::close);  // the payout
    f.modals.then(&ModalScript::close);  // the place
    f.modals.then([&](QWidget* records) {
      EXPECT_NE(records, menuRecords);
      gameRecordsRows = records->findChild<QTableWidget*>()->rowCount();
      ModalScript::close(records);
    });
    for (int i = 0; i < 25 && f.app->game().gong().phase != GongGame::Phase::AtRest; ++i)
      f.window().gongTick();
    seenInside = f.modals.seen;
    ModalScript::close(menuRecords);
  });
  f.modals.seen.clear();
  f.find<QAction>("f1")->trigger();
  EXPECT_EQ(seenInside.count(QStringLiteral("TForm6")), 2);
  EXPECT_EQ(seenInside.back(), QStringLiteral("TForm6"));
  EXPECT_EQ(gameRecordsRows, 100);
  EXPECT_EQ(readRecords(f.dir.path()).entries[0].winnings, 1000);
}

TEST(ClosingLine, TheDateIsReadBeforeTheTime) {
  AppFixture f;
  f.start();
  f.calendar.calls.clear();
  f.app.reset();
  EXPECT_EQ(f.calendar.calls, (std::vector<std::string>{"date", "time"}));
}

TEST(SecondCopy, IsToldTheGameRunsThereAndTouchesNoFile) {
  test::TempDir dir;
  dir.write("log.txt", "kept");
  dir.write("res.res.tmp999999999-0", "a leftover");  // no such process: cleared by the owner
  test::ModalScript modals;
  auto first = app::claimGameFolder(dir.path());
  ASSERT_TRUE(first && first->held());
  EXPECT_FALSE(std::filesystem::exists(dir / "res.res.tmp999999999-0"));

  dir.write("res.res.tmp999999999-0", "another copy's file");
  EXPECT_FALSE(app::claimGameFolder(dir.path()));
  ASSERT_EQ(modals.seen.size(), 1);
  EXPECT_TRUE(modals.seen[0].startsWith(QStringLiteral("message: Кельмора уже запущена в папке")))
      << modals.seen[0].toStdString();
  EXPECT_EQ(dir.read("res.res.tmp999999999-0"), "another copy's file");
  EXPECT_EQ(dir.read("log.txt"), "kept");

  first.reset();  // the first copy ends: the folder is free again
  EXPECT_TRUE(app::claimGameFolder(dir.path()));
}

}  // namespace
}  // namespace kelmora
