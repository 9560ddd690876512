#include "app/main_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/circle_shape.h"
#include "app/look.h"
#include "app/text.h"
#include "app/window_ports.h"

namespace kelmora::app {

namespace {

void setLabel(QLabel* label, const Label& state) {
  const QString text = fromCp(state.caption);
  if (label->text() != text) {
    label->setText(text);
    label->setAccessibleName(text);
  }
  label->setEnabled(state.enabled);
}

QString circleMeaning(const Circle& c, bool replacement) {
  switch (c.colour) {
    case kGreen:
      return QStringLiteral("отвечен верно");
    case kRed:
      return QStringLiteral("проигран");
    case kWhite:
      return replacement ? QStringLiteral("использована") : QStringLiteral("пас");
    default:
      return replacement ? QStringLiteral("доступна") : QStringLiteral("не сыгран");
  }
}

void setCircle(CircleShape* shape, const Circle& c, const QString& what, bool replacement) {
  shape->setColour(colour(c.colour));
  shape->setVisible(c.visible);
  shape->setAccessibleName(what + QStringLiteral(": ") + circleMeaning(c, replacement));
}

// Players close every message with Enter; in the gong game Enter presses the focused column
// or "СТОП" too, not only Space.
class EnterPresses : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      auto* button = qobject_cast<QPushButton*>(watched);
      if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (button->isEnabled()) button->click();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

MainWindow::MainWindow() {
  setObjectName(QStringLiteral("TForm1"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  clockTimer_.setObjectName(QStringLiteral("Timer1"));
  clockTimer_.setInterval(1000);
  clockTimer_.setTimerType(Qt::PreciseTimer);
  gongTimer_.setObjectName(QStringLiteral("Timer2"));
  gongTimer_.setInterval(2000);
  buildLayout();
  buildMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::attach(Game& game, MenuActions menu) {
  game_ = &game;
  menu_ = std::move(menu);
  connectControls();
  render();
}

void MainWindow::connectControls() {
  connect(&clockTimer_, &QTimer::timeout, this, [this] { clockTick(); });
  connect(&gongTimer_, &QTimer::timeout, this, [this] { gongTick(); });
  connect(answer_, &QLineEdit::returnPressed, this,
          [this] { run([this] { game_->checkAnswer(toCp(onOneLine(answer_->text()))); }); });
  connect(pass_, &QToolButton::clicked, this, [this] { run([this] { game_->passQuestion(); }); });
  connect(replace_, &QToolButton::clicked, this,
          [this] { run([this] { game_->replaceQuestion(); }); });
  for (int k = 0; k < 3; ++k) {
    connect(gongChoices_[static_cast<std::size_t>(k)], &QPushButton::clicked, this,
            [this, k] { run([this, k] { game_->chooseGongColumn(k + 1); }); });
  }
  connect(stop_, &QPushButton::clicked, this, [this] { stopGong(); });
  auto* enter = new EnterPresses(this);
  for (QPushButton* b : {gongChoices_[0], gongChoices_[1], gongChoices_[2], stop_})
    b->installEventFilter(enter);
}

void MainWindow::run(const std::function<void()>& command) {
  if (!game_) return;
  try {
    command();
  } catch (const std::exception& e) {
    // The core reports its own file failures; anything else must still not escape into Qt.
    showErrorBox(this, e.what());
  }
  render();
}

void MainWindow::newGame() {
  run([this] { game_->newGame(topics_->currentIndex()); });
}
void MainWindow::showRecords() {
  run([this] { game_->showRecords(); });
}
void MainWindow::clockTick() {
  run([this] { game_->clockTick(); });
}
void MainWindow::gongTick() {
  run([this] { game_->gongTick(); });
}
void MainWindow::stopGong() {
  run([this] { game_->stopGong(); });
}

void MainWindow::render() {
  if (!game_) return;
  const Screen& s = game_->screen();
  setWindowTitle(fromCp(s.caption));
  newGame_->setEnabled(s.newGameEnabled);

  for (std::size_t r = 0; r < ladder_.size(); ++r)
    setLabel(ladder_[r], s.ladder[r]);
  setLabel(questionSeconds_, s.questionSeconds);
  setLabel(roundSeconds_, s.roundSeconds);
  setLabel(timeLeft_, s.timeLeft);
  setLabel(bank_, s.bank);
  bank_->setAccessibleName(QStringLiteral("Банк: ") + bank_->text());

  for (std::size_t k = 0; k < circles_.size(); ++k) {
    setCircle(circles_[k], s.questionCircles[k], QStringLiteral("Вопрос %1").arg(k + 1), false);
    letters_[k]->setVisible(s.questionCircles[k].letterVisible);
  }
  for (std::size_t k = 0; k < replacementCircles_.size(); ++k) {
    setCircle(replacementCircles_[k], s.replacementCircles[k],
              QStringLiteral("Замена %1").arg(k + 1), true);
  }

  const bool newQuestion = s.questionLines != shownQuestion_;
  if (newQuestion) {
    QStringList lines;
    for (const auto& line : s.questionLines)
      lines << fromCp(line);
    question_->setPlainText(lines.join(QLatin1Char('\n')));
    question_->setAccessibleDescription(question_->toPlainText());
    shownQuestion_ = s.questionLines;
  }
  question_->setEnabled(s.questionBoxEnabled);
  if (s.answerBox.revision != answerRevision_) {
    answer_->setText(fromCp(s.answerBox.text));
    answerRevision_ = s.answerBox.revision;
  }
  answer_->setEnabled(s.answerBox.enabled);
  pass_->setEnabled(s.passEnabled);
  replace_->setEnabled(s.replaceEnabled);
  // Whenever a question appears, the player can type the answer at once.
  if (newQuestion && s.answerBox.enabled) answer_->setFocus();

  if (s.topicNames != shownTopics_) {
    topics_->clear();
    for (const auto& t : s.topicNames)
      topics_->addItem(fromCp(t));
    topics_->setCurrentIndex(s.topicNames.empty() ? -1 : 0);
    shownTopics_ = s.topicNames;
  }
  topics_->setEnabled(s.topicSelectorEnabled);
  const QColor field = s.topicSelectorColour == FieldColour::Window ? windowColour() : buttonFace();
  if (topics_->palette().color(QPalette::Base) != field) {
    QPalette p = topics_->palette();
    p.setColor(QPalette::Base, field);
    p.setColor(QPalette::Button, field);
    topics_->setPalette(p);
  }
  topicCaption_->setText(fromCp(s.topicCaption));
  topicCaption_->setAccessibleName(topicCaption_->text());
  warning_->setVisible(s.warningVisible);

  for (std::size_t i = 0; i < status_.size(); ++i) {
    status_[i]->setText(fromCp(s.statusPanels[i]));
    status_[i]->setAccessibleName(status_[i]->text());
  }

  // The gong box takes the clock's place while it is played, and is kept below the client
  // area otherwise.
  switch (s.gongPlace) {
    case Screen::GongPlace::AsDesigned:
      gongBox_->move(304, 368);
      break;
    case Screen::GongPlace::OverTheClock:
      gongBox_->move(184, 0);
      break;
    case Screen::GongPlace::PutAway:
      gongBox_->move(184, 408);
      break;
  }
  timeBox_->move(timeBox_->x(), s.gongPlace == Screen::GongPlace::OverTheClock ? 400 : 0);
  gongBox_->setVisible(s.gongBoxVisible);
  if (s.gongValue.revision != gongValueRevision_) {
    gongValue_->setText(fromCp(s.gongValue.text));
    gongValue_->setAccessibleName(QStringLiteral("Сумма: ") + gongValue_->text());
    gongValueRevision_ = s.gongValue.revision;
  }
  gongValue_->setEnabled(s.gongValue.enabled);
  const bool choosing = s.gongChoiceEnabled[0] && !gongChoices_[0]->isEnabled();
  for (std::size_t k = 0; k < gongChoices_.size(); ++k)
    gongChoices_[k]->setEnabled(s.gongChoiceEnabled[k]);
  const bool stopping = s.gongStopEnabled && !stop_->isEnabled();
  stop_->setEnabled(s.gongStopEnabled);
  // The keyboard follows the gong game: first the columns, then "СТОП".
  if (choosing) gongChoices_[0]->setFocus();
  if (stopping) stop_->setFocus();
}

}  // namespace kelmora::app
