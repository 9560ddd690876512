// The program played through its windows: keys, clicks, and the modal windows a player sees.
#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app_fixture.h"

namespace kelmora {
namespace {

using test::AppFixture;
using test::ModalScript;

QStringList tableRow(QWidget* records, int row) {
  auto* list = records->findChild<QTableWidget*>(QStringLiteral("ListView1"));
  QStringList cells;
  for (int c = 0; c < 4; ++c)
    cells << list->item(row, c)->text();
  return cells;
}

const QString kIdleHint = QStringLiteral("\n  Для того, чтобы начать игру жмите \"F2\"");

void pressKey(QWidget* w, Qt::Key key) {
  QTest::keyClick(w, key);
}

TEST(MainWindowPlay, SignInF2AnswerRightAndTakeTheMoney) {
  AppFixture f;
  f.start();
  EXPECT_EQ(f.modals.seen, QStringList{QStringLiteral("TForm2")});
  EXPECT_EQ(f.window().windowTitle(), QStringLiteral("Кельмора... [Игрок]"));
  EXPECT_EQ(f.find<QLabel>("StatusPanel0")->text(), QStringLiteral("Вопросов в базе: 30"));
  auto* newGame = f.find<QAction>("N2");
  EXPECT_TRUE(newGame->isEnabled());

  QTest::keyClick(&f.window(), Qt::Key_F2);
  EXPECT_FALSE(newGame->isEnabled());
  EXPECT_EQ(f.find<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("Q0"));
  EXPECT_EQ(f.window().focusWidget(), f.find<QLineEdit>("Edit1"));
  EXPECT_EQ(f.find<QLabel>("StatusPanel1")->text(),
            QStringLiteral("Замен на тему [История] в базе: 10"));
  EXPECT_TRUE(f.timers.clock);

  QStringList records;
  f.modals.then([](QWidget* dialog) { ModalScript::click(dialog, "Button2"); });
  f.modals.then(&ModalScript::close);
  f.modals.then(&ModalScript::close);
  f.modals.then([&](QWidget* window) {
    records = tableRow(window, 0) + tableRow(window, 99);
    ModalScript::close(window);
  });
  f.modals.seen.clear();
  f.answer(QStringLiteral("a0"));
  EXPECT_EQ(f.modals.seen,
            (QStringList{QStringLiteral("TForm4"),
                         QStringLiteral("message: Ваш выигрыш составил: 1000 рублей!"),
                         QStringLiteral("message: Вы попали на 1 место в таблице рекордов!"),
                         QStringLiteral("TForm6")}));
  EXPECT_EQ(records,
            (QStringList{QStringLiteral("1."), QStringLiteral("Игрок"), QStringLiteral("07.12.26"),
                         QStringLiteral("1000"), QStringLiteral("100."), QString(), QString(),
                         QStringLiteral("0")}));
  EXPECT_TRUE(newGame->isEnabled());
  EXPECT_EQ(f.find<QPlainTextEdit>("Memo1")->toPlainText(), kIdleHint);
  EXPECT_FALSE(f.find<QLineEdit>("Edit1")->isEnabled());
  EXPECT_FALSE(f.timers.clock);
}

TEST(MainWindowPlay, ALossLeadsThroughTheGongGameToThePayout) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  f.answerRight();  // round 1; the dialog's default answer goes on
  EXPECT_TRUE(f.find<QLabel>("Label10")->isEnabled());
  EXPECT_EQ(f.find<QLabel>("Label9")->text(), QStringLiteral("1. Раунд:      1000+"));

  f.random.script = {0, 0, 0, 0};  // step 50, the right column is "1"
  f.modals.seen.clear();
  f.answer(QStringLiteral("неверно"));
  EXPECT_EQ(f.modals.seen,
            QStringList{QStringLiteral(
                "message: Игрок вы проиграли! Но еще не все потеряно! Гонг-Игра впереди...")});
  auto* gongBox = f.find<QGroupBox>("GroupBox6");
  EXPECT_EQ(gongBox->pos(), QPoint(184, 0));
  EXPECT_TRUE(gongBox->isVisibleTo(&f.window()));
  EXPECT_EQ(f.find<QGroupBox>("GroupBox4")->y(), 400);
  EXPECT_TRUE(f.find<QLabel>("Label9")->isEnabled());
  EXPECT_FALSE(f.find<QLabel>("Label10")->isEnabled());
  auto* stop = f.find<QPushButton>("Button6");
  EXPECT_FALSE(stop->isEnabled());

  QTest::mouseClick(f.find<QPushButton>("Button3"), Qt::LeftButton);
  EXPECT_TRUE(f.timers.ticker);
  EXPECT_TRUE(stop->isEnabled());
  f.window().gongTick();
  f.window().gongTick();
  EXPECT_EQ(f.find<QLineEdit>("Edit2")->text(), QStringLiteral("100"));
  f.modals.seen.clear();
  QTest::mouseClick(stop, Qt::LeftButton);
  EXPECT_EQ(f.modals.seen,
            (QStringList{QStringLiteral("message: Вы смогли отыграть: 100 рублей."),
                         QStringLiteral("message: Ваш выигрыш составил: 100 рублей!"),
                         QStringLiteral("message: Вы попали на 1 место в таблице рекордов!"),
                         QStringLiteral("TForm6")}));
  EXPECT_EQ(gongBox->y(), 408);
  EXPECT_EQ(f.find<QGroupBox>("GroupBox4")->y(), 0);
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_TRUE(f.find<QAction>("N2")->isEnabled());
}

TEST(MainWindowPlay, AWholeGameWithoutTheMouse) {
  AppFixture f;
  f.start();
  pressKey(&f.window(), Qt::Key_F2);
  QString focusInDialog;
  f.modals.then([&](QWidget* dialog) {
    focusInDialog = dialog->focusWidget()->objectName();
    pressKey(dialog->focusWidget(), Qt::Key_Return);
  });
  f.answerRight();
  EXPECT_EQ(focusInDialog, QStringLiteral("Button1"));
  EXPECT_EQ(f.app->game().state().round, 2);

  // Tabbing away from a typed answer is not giving it: a player on the way to "ПАС" would
  // otherwise lose the game on a half-typed word, with nothing judged, logged or paid yet.
  auto* box = f.find<QLineEdit>("Edit1");
  f.window().activateWindow();  // focus only really leaves a box in the active window
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window(), 1000));
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("x"));
  const auto windowsBefore = f.modals.seen.size();
  pressKey(box, Qt::Key_Tab);
  EXPECT_NE(f.window().focusWidget(), box);
  EXPECT_EQ(f.modals.seen.size(), windowsBefore);
  EXPECT_TRUE(f.app->game().running());
  EXPECT_EQ(f.app->game().state().round, 2);

  const auto enter = [](QWidget* box) { pressKey(box, Qt::Key_Return); };
  f.modals.then(enter);
  f.answer(QStringLiteral("x"));
  ASSERT_EQ(f.window().focusWidget()->objectName(), QStringLiteral("Button3"));
  pressKey(f.window().focusWidget(), Qt::Key_Space);
  ASSERT_EQ(f.window().focusWidget()->objectName(), QStringLiteral("Button6"));
  for (int i = 0; i < 3; ++i)
    f.modals.then(enter);
  f.modals.then([](QWidget* records) { pressKey(records, Qt::Key_Escape); });
  f.modals.seen.clear();
  pressKey(f.window().focusWidget(), Qt::Key_Space);
  EXPECT_EQ(f.modals.seen.size(), 4);
  EXPECT_EQ(f.modals.seen.back(), QStringLiteral("TForm6"));
  EXPECT_TRUE(f.find<QAction>("N2")->isEnabled());
}

TEST(MainWindowPlay, MenuWindowsLeaveTheClockRunning) {
  AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  bool clockDuringRecords = false;
  f.modals.then([&](QWidget* records) {
    clockDuringRecords = f.timers.clock;
    ModalScript::close(records);
  });
  f.find<QAction>("f1")->trigger();
  EXPECT_TRUE(clockDuringRecords);

  QString helpText;
  for (int i = 0; i < 2; ++i) {
    f.modals.then([&](QWidget* help) {
      helpText = help->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
      ModalScript::close(help);
    });
    f.find<QAction>("N5")->trigger();
  }
  EXPECT_EQ(helpText, QStringLiteral("Правила игры"));
  f.find<QAction>("N4")->trigger();
  EXPECT_EQ(f.modals.seen.mid(1),
            (QStringList{QStringLiteral("TForm6"), QStringLiteral("TForm5"),
                         QStringLiteral("TForm5"), QStringLiteral("TAboutBox")}));
  EXPECT_TRUE(f.timers.clock);
  EXPECT_TRUE(f.app->game().running());
}

// A help file of many megabytes shows its start and says that the rest was left out, instead
// of freezing the game while it is read whole.
TEST(MainWindowPlay, AHugeHelpFileShowsItsFirstMegabyte) {
  AppFixture f;
  std::string huge;
  while (huge.size() < (3u << 20))
    huge += test::cp("Строка правил игры, одна из многих.\r\n");
  f.dir.write("help.txt", huge);
  f.start();
  QString helpText;
  f.modals.then([&](QWidget* help) {
    helpText = help->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    ModalScript::close(help);
  });
  f.find<QAction>("N5")->trigger();
  EXPECT_TRUE(helpText.startsWith(QStringLiteral("Строка правил игры, одна из многих.\n")));
  EXPECT_TRUE(helpText.endsWith(
      QStringLiteral("\n\nФайл справки больше мегабайта: показано только его начало.")));
  EXPECT_LT(helpText.size(), (1 << 20) + 100);
}

TEST(MainWindowPlay, AMissingMainBaseShowsTheErrorBoxAndTheWindowStaysIdle) {
  AppFixture f;
  std::filesystem::remove(f.dir / "kelmora.db");
  f.start();
  EXPECT_EQ(f.modals.seen, (QStringList{QStringLiteral("TForm2"),
                                        QStringLiteral("error: Cannot open file kelmora.db.")}));
  EXPECT_EQ(f.window().windowTitle(), QString());
  EXPECT_EQ(f.find<QLabel>("StatusPanel0")->text(), QString());
  f.modals.seen.clear();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  ASSERT_EQ(f.modals.seen.size(), 1);
  // Not "no questions in kelmora.db": the file was never read.
  EXPECT_EQ(f.modals.seen[0],
            QStringLiteral("message: Вопросы не загружены: при запуске игры не удалось прочитать "
                           "файл kelmora.db. Игру начать нельзя; исправьте файл и запустите игру "
                           "снова."));
  EXPECT_TRUE(f.find<QAction>("N2")->isEnabled());
}

TEST(MainWindowPlay, EndingTheProgramMidGameWritesTheLogWithoutAPayout) {
  AppFixture f;
  f.dir.write("log.txt", "earlier run");
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  f.answer(QStringLiteral(" a-0!"));  // right: blanks and marks are dropped, but logged as typed
  EXPECT_EQ(f.app->game().state().round, 2);
  f.app.reset();
  EXPECT_EQ(f.dir.read("log.txt"),
            test::cp("earlier run\r\nКолличество вопросов - 30\r\n"
                     "--------------------------[Новая игра]\r\nТема замен: [История]\r\n"
                     "[Вопрос] - 0(0) [Ответ] -  a-0!\r\nВремя тура - 0\r\n"
                     "[Завершение работы] 07.12.2026 22:40:01\r\n") +
                std::string(61, '=') + "\r\n");
}

}  // namespace
}  // namespace kelmora
