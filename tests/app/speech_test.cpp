// What the program hands to a screen reader, captured where Qt hands it to the platform: one
// notification for each command, said in order, before any message box opens over it, and
// without the keyboard ever leaving the answer box.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <utility>

#include "app/text.h"
#include "app_fixture.h"

namespace kelmora {
namespace {

using test::AppFixture;
using test::ModalScript;

// Stands in for the platform's accessibility bridge while a test runs.
class Heard {
 public:
  Heard() {
    current_ = this;
    previous_ = QAccessible::installUpdateHandler(&Heard::handle);
    // Qt's bridge switches on once it has found the accessibility bus.
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 5000);
  }
  ~Heard() {
    QAccessible::installUpdateHandler(previous_);
    current_ = nullptr;
  }

  // What was said since the last call, once the commands' utterances have left.
  QStringList take() {
    QCoreApplication::processEvents();
    return std::exchange(said_, {});
  }

  int focusOnNotice = 0;
  int saidOverAModal = 0;
  // The cells a screen reader was told the keyboard is on, by their text.
  QStringList cellsFocused;

 private:
  static void handle(QAccessibleEvent* event) {
    Heard& self = *current_;
    QObject* object = event->object();
    const bool notice = object && object->objectName() == QLatin1String("Notice");
    if (notice && event->type() == QAccessible::Focus) ++self.focusOnNotice;
    if (qobject_cast<QTableWidget*>(object) && event->type() == QAccessible::Focus &&
        event->child() >= 0 && event->accessibleInterface())
      self.cellsFocused << event->accessibleInterface()->text(QAccessible::Name);
    if (event->type() != QAccessible::ObjectShow) return;
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!iface || iface->role() != QAccessible::Notification) return;
    if (QApplication::activeModalWidget()) ++self.saidOverAModal;
    self.said_ << iface->text(QAccessible::Name);
  }

  static inline Heard* current_ = nullptr;
  QAccessible::UpdateHandler previous_ = nullptr;
  QStringList said_;
};

QString question(AppFixture& f, const char* round) {
  const Game& game = f.app->game();
  const auto c = static_cast<std::size_t>(game.state().currentQuestion);
  const auto& base = game.questionsFrom(!game.state().replacementShown);
  return QString::fromUtf8(round) + QStringLiteral(" Вопрос: ") +
         app::fromCp(base.questionTexts[c]) + QLatin1Char('.');
}

bool focusInAnswerBox(AppFixture& f) {
  return QApplication::focusWidget() == f.find<QWidget>("Edit1");
}

// A key of the main window, as the player presses it there; on a bare X server the window is
// not made active again by itself when a modal window closes.
void press(AppFixture& f, Qt::Key key) {
  f.window().activateWindow();
  if (!QTest::qWaitForWindowActive(&f.window(), 1000)) qWarning("the main window is not active");
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f.window(), key);
}

void click(AppFixture& f, const char* button) {
  QTest::mouseClick(f.find<QWidget>(button), Qt::LeftButton);
}

TEST(Speech, AGameFromTheFirstQuestionToTheRecordsIsSaidInOrder) {
  Heard heard;
  AppFixture f;
  f.start();
  heard.take();

  press(f, Qt::Key_F2);
  EXPECT_EQ(heard.take(), QStringList{QStringLiteral("Новая игра. ") +
                                      question(f, "Раунд 1, нужен ещё 1 верный ответ.")});
  EXPECT_TRUE(focusInAnswerBox(f));

  // The round-won dialog opens over the verdict and the bank, so they leave before it; the
  // next round's question after "Дальше".
  f.answerRight();
  EXPECT_EQ(heard.take(),
            (QStringList{QStringLiteral("Верно. Раунд 1 пройден. Приз 1000 рублей, в банке 0 "
                                        "рублей."),
                         question(f, "Раунд 2, нужно ещё 2 верных ответа.")}));
  EXPECT_EQ(f.modals.seen.last(), QStringLiteral("TForm4"));

  f.answerRight();
  EXPECT_EQ(heard.take(),
            QStringList{QStringLiteral("Верно. ") + question(f, "Раунд 2, нужен ещё 1 верный ответ.")});
  click(f, "Button2");
  EXPECT_EQ(heard.take(), QStringList{QStringLiteral("Пас. Осталось пасов: 2. ") +
                                      question(f, "Раунд 2, нужен ещё 1 верный ответ.")});
  click(f, "Button1");
  EXPECT_EQ(heard.take(), QStringList{QStringLiteral("Замена. Осталось замен: 2. ") +
                                      question(f, "Раунд 2, нужен ещё 1 верный ответ.")});
  f.find<QWidget>("Edit1")->setFocus();

  // The clock speaks twice, not every second; F3 and F4 answer on request.
  QStringList clock;
  for (int i = 0; i < 240 - 10; ++i) {
    f.window().clockTick();
    clock << heard.take();
  }
  EXPECT_EQ(clock, (QStringList{QStringLiteral("Осталось 29 секунд."),
                                QStringLiteral("Осталось 10 секунд.")}));
  press(f, Qt::Key_F4);
  EXPECT_EQ(heard.take(), QStringList{QStringLiteral("Осталось 10 секунд.")});
  press(f, Qt::Key_F3);
  EXPECT_EQ(heard.take(), QStringList{question(f, "Раунд 2, нужен ещё 1 верный ответ.")});

  // A wrong answer: the verdict, the loss box, then what the gong game is about.
  f.random.script = {0, 0, 0, 0};
  f.answer(QStringLiteral("неверно"));
  EXPECT_EQ(heard.take(),
            (QStringList{QStringLiteral("Неверно."),
                         QStringLiteral("Гонг-игра: можно отыграть до 1000 рублей. Выберите "
                                        "столбец: кнопка 1, 2 или 3. Суммы будут расти; нажмите "
                                        "Стоп, чтобы забрать сумму, пока не ударил гонг.")}));
  click(f, "Button4");
  EXPECT_EQ(heard.take(), QStringList{QStringLiteral("Столбец 2.")});
  f.window().gongTick();
  const QStringList value = heard.take();
  ASSERT_EQ(value.size(), 1);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ рубл(ь|я|ей)\\.$")).match(value[0]).hasMatch())
      << value[0].toStdString();

  // Stopping ends the game in message boxes that speak for themselves; the records window
  // opens with the keyboard on the player's new row, nothing selected that was not before,
  // and once the window is active the reader is told that row's cell, which it reads aloud.
  int currentRow = -1;
  bool selected = true;
  QStringList cellsFocused;
  f.modals.then(&ModalScript::close);
  f.modals.then(&ModalScript::close);
  f.modals.then(&ModalScript::close);
  f.modals.then([&](QWidget* records) {
    auto* table = records->findChild<QTableWidget*>(QStringLiteral("ListView1"));
    currentRow = table->currentIndex().row();
    selected = table->selectionModel()->hasSelection();
    heard.cellsFocused.clear();
    records->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(records, 2000));
    (void)QTest::qWaitFor([&] { return !heard.cellsFocused.isEmpty(); }, 2000);
    cellsFocused = heard.cellsFocused;
    ModalScript::close(records);
  });
  click(f, "Button6");
  EXPECT_EQ(heard.take(), QStringList{});
  EXPECT_EQ(currentRow, 0);
  EXPECT_FALSE(selected);
  EXPECT_EQ(cellsFocused, QStringList{QStringLiteral("1.")});
  EXPECT_EQ(f.modals.seen.last(), QStringLiteral("TForm6"));

  EXPECT_EQ(heard.focusOnNotice, 0);
  EXPECT_EQ(heard.saidOverAModal, 0);
  EXPECT_FALSE(f.window().findChild<QWidget*>(QStringLiteral("Notice"))->isVisible());
}

TEST(Speech, ANewGameSaysNothingOfTheLastOne) {
  Heard heard;
  AppFixture f;
  f.start();
  press(f, Qt::Key_F2);
  f.answerRight();
  f.modals.then([](QWidget* w) { ModalScript::click(w, "Button2"); });
  f.answerRight();
  f.answerRight();
  heard.take();
  // The money was taken in round 2: the game is over, its question gone.
  press(f, Qt::Key_F3);
  press(f, Qt::Key_F4);
  EXPECT_EQ(heard.take(), (QStringList{QStringLiteral("Вопроса нет. Новая игра: клавиша F2."),
                                       QStringLiteral("Часы стоят.")}));
  press(f, Qt::Key_F2);
  EXPECT_EQ(heard.take(), QStringList{QStringLiteral("Новая игра. ") +
                                      question(f, "Раунд 1, нужен ещё 1 верный ответ.")});
  EXPECT_EQ(heard.saidOverAModal, 0);
}

}  // namespace
}  // namespace kelmora
