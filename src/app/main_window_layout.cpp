// The main window's controls, at the places, sizes and fonts of the designer's layout.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "app/circle_shape.h"
#include "app/look.h"
#include "app/main_window.h"
#include "app/text.h"

namespace kelmora::app {

namespace {

constexpr int kClientWidth = 592;
constexpr int kClientHeight = 274;
constexpr int kStatusHeight = 19;

QGroupBox* groupBox(QWidget* parent, const char* objectName, const QString& title, QRect geometry) {
  auto* box = new QGroupBox(title, parent);
  name(box, objectName, title);
  box->setGeometry(geometry);
  return box;
}

// Labels whose text only the game changes get a fixed width, so a longer caption is never cut.
QLabel* valueLabel(QWidget* parent, const char* objectName, const QString& text, QRect geometry,
                   const QFont& f, const QColor& colour) {
  auto* label = new QLabel(text, parent);
  name(label, objectName, text);
  label->setFont(f);
  label->setGeometry(geometry);
  QPalette p = label->palette();
  p.setColor(QPalette::Active, QPalette::WindowText, colour);
  p.setColor(QPalette::Inactive, QPalette::WindowText, colour);
  label->setPalette(p);
  return label;
}

// A status bar panel draws what fits and elides the rest: a long topic name must not widen a
// window of fixed size.
class StatusPanel : public QLabel {
 public:
  using QLabel::QLabel;
  QSize sizeHint() const override { return {0, QLabel::sizeHint().height()}; }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect area = contentsRect().adjusted(2, 0, -2, 0);
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
  }
};

}  // namespace

void MainWindow::buildLayout() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(kClientWidth, kClientHeight - kStatusHeight);
  setCentralWidget(client);
  const QFont sans = makeFont(Face::SansSerif, 11);
  client->setFont(sans);

  // The prize ladder, round 1 at the bottom.
  auto* ladderBox = groupBox(client, "GroupBox7", QString(), {8, 0, 169, 105});
  for (int r = 1; r <= 5; ++r) {
    const QString caption = fromCp(ladderCaption(r));
    const std::string objectName = "Label" + std::to_string(8 + r);
    auto* label = placeLabel(ladderBox, objectName.c_str(), caption, 8, 96 - 16 * r, sans);
    label->setFixedWidth(150);
    label->setEnabled(false);
    ladder_[static_cast<std::size_t>(r - 1)] = label;
  }

  // The clock.
  timeBox_ = groupBox(client, "GroupBox4", QStringLiteral("Время: "), {184, 0, 209, 105});
  placeLabel(timeBox_, "Label6", QStringLiteral("ответа на вопрос:"), 8, 24, sans);
  placeLabel(timeBox_, "Label2", QStringLiteral("раунда:"), 8, 48, sans);
  placeLabel(timeBox_, "Label1", QStringLiteral("остатолось:"), 8, 80, sans);
  const QFont digits = makeFont(Face::Arial, 24);
  questionSeconds_ =
      valueLabel(timeBox_, "Label5", QStringLiteral("0"), {136, 18, 70, 27}, digits, Qt::black);
  roundSeconds_ =
      valueLabel(timeBox_, "second", QStringLiteral("0"), {136, 42, 70, 27}, digits, Qt::black);
  timeLeft_ = valueLabel(timeBox_, "osttime", QStringLiteral("4:00"), {136, 66, 70, 31},
                         makeFont(Face::Arial, 27), Qt::red);

  // The question circles with their letters.
  auto* circlesBox = groupBox(client, "GroupBox1", QStringLiteral("Вопросы"), {399, 0, 186, 65});
  const QFont letter = makeFont(Face::SansSerif, 16, true);
  for (int k = 0; k < 5; ++k) {
    auto* circle = new CircleShape(circlesBox);
    const std::string v = "v" + std::to_string(k + 1);
    name(circle, v.c_str(), QStringLiteral("Вопрос %1").arg(k + 1));
    circle->setGeometry(8 + 32 * k, 24, 33, 25);
    circles_[static_cast<std::size_t>(k)] = circle;
    auto* l = new QLabel(QStringLiteral("В"), circlesBox);
    const std::string vl = "vl" + std::to_string(k + 1);
    name(l, vl.c_str(), QStringLiteral("В"));
    l->setFont(letter);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    // The active-caption colour of the classic look: the letter sits on the navy circle.
    p.setColor(QPalette::Window, activeCaption());
    p.setColor(QPalette::WindowText, windowColour());
    l->setPalette(p);
    l->move(20 + 32 * k, 26);
    l->adjustSize();
    letters_[static_cast<std::size_t>(k)] = l;
  }

  // Replacements.
  auto* replacementsBox =
      groupBox(client, "GroupBox3", QStringLiteral("Замены"), {400, 72, 185, 105});
  for (int k = 0; k < 3; ++k) {
    auto* circle = new CircleShape(replacementsBox);
    const std::string z = "z" + std::to_string(k + 1);
    name(circle, z.c_str(), QStringLiteral("Замена %1").arg(k + 1));
    circle->setGeometry(32 + 40 * k, 24, 33, 25);
    circle->hide();
    replacementCircles_[static_cast<std::size_t>(k)] = circle;
  }
  warning_ = placeLabel(replacementsBox, "Label4", QStringLiteral("Внимание!"), 8, 16,
                        makeFont(Face::SansSerif, 24));
  topicCaption_ = placeLabel(replacementsBox, "Label3", QStringLiteral("Выберите тему для замены:"),
                             8, 56, sans);
  topicCaption_->setFixedWidth(170);
  topics_ = new QComboBox(replacementsBox);
  name(topics_, "ComboBox1", QStringLiteral("Тема замен"));
  topics_->setGeometry(8, 77, 169, 21);

  // The question area.
  auto* questionBox = groupBox(client, "GroupBox2", QString(), {8, 104, 385, 145});
  question_ = new QPlainTextEdit(questionBox);
  name(question_, "Memo1", QStringLiteral("Вопрос"));
  question_->setGeometry(8, 16, 369, 90);
  question_->setReadOnly(true);
  question_->setFrameShape(QFrame::NoFrame);
  question_->setFont(makeFont(Face::TimesNewRoman, 19));
  question_->setFocusPolicy(Qt::NoFocus);
  question_->viewport()->setAutoFillBackground(false);
  question_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
  question_->setPlainText(fromCp(initialScreen().questionLines[0]) + QLatin1Char('\n') +
                          fromCp(initialScreen().questionLines[1]));
  question_->setEnabled(false);

  answer_ = new QLineEdit(questionBox);
  name(answer_, "Edit1", QStringLiteral("Ответ"));
  answer_->setGeometry(8, 112, 217, 21);
  keepOnOneLine(answer_);
  answer_->setEnabled(false);

  const auto speedButton = [&](const char* objectName, const QString& text, QRect geometry) {
    auto* b = new QToolButton(questionBox);
    name(b, objectName, text);
    b->setText(text);
    b->setAutoRaise(true);
    b->setGeometry(geometry);
    // Clicking leaves the focus in the answer box; Tab still reaches the button.
    b->setFocusPolicy(Qt::TabFocus);
    b->setEnabled(false);
    return b;
  };
  pass_ = speedButton("Button2", QStringLiteral("ПАС"), {232, 112, 65, 25});
  replace_ = speedButton("Button1", QStringLiteral("Замена"), {304, 112, 75, 25});

  // The bank.
  auto* bankBox = groupBox(client, "GroupBox5", QStringLiteral("Банк"), {400, 184, 185, 65});
  bank_ = valueLabel(bankBox, "Label8", QStringLiteral("0"), {21, 15, 147, 42},
                     makeFont(Face::Arial, 37), Qt::red);
  bank_->setAlignment(Qt::AlignCenter);
  bank_->setEnabled(false);

  // The gong box starts below the visible client area.
  gongBox_ = groupBox(client, "GroupBox6", QStringLiteral("Гонг-Игра"), {304, 368, 209, 105});
  for (int k = 0; k < 3; ++k) {
    auto* b = new QPushButton(QString::number(k + 1), gongBox_);
    const std::string objectName = "Button" + std::to_string(k + 3);
    name(b, objectName.c_str(), QStringLiteral("Столбец %1").arg(k + 1));
    b->setFont(makeFont(Face::SansSerif, 11, true));
    b->setGeometry(8 + 64 * k, 16, 65, 25);
    b->setEnabled(false);
    gongChoices_[static_cast<std::size_t>(k)] = b;
  }
  gongValue_ = new QLineEdit(QStringLiteral("0"), gongBox_);
  name(gongValue_, "Edit2", QStringLiteral("Сумма"));
  gongValue_->setGeometry(8, 48, 105, 45);
  gongValue_->setFont(makeFont(Face::SansSerif, 32, true));
  gongValue_->setReadOnly(true);
  gongValue_->setFocusPolicy(Qt::NoFocus);
  QPalette valuePalette = gongValue_->palette();
  valuePalette.setColor(QPalette::Base, buttonFace());
  gongValue_->setPalette(valuePalette);
  gongValue_->setEnabled(false);
  stop_ = new QPushButton(QStringLiteral("СТОП"), gongBox_);
  name(stop_, "Button6", stop_->text());
  stop_->setFont(makeFont(Face::SansSerif, 19));
  stop_->setGeometry(120, 48, 75, 41);
  stop_->setEnabled(false);

  // Two panels: 120 pixels, then the rest.
  auto* bar = new QStatusBar(this);
  name(bar, "StatusBar1", QStringLiteral("Строка состояния"));
  bar->setSizeGripEnabled(false);
  bar->setFixedHeight(kStatusHeight);
  bar->setFont(sans);
  for (int i = 0; i < 2; ++i) {
    auto* panel = new StatusPanel(bar);
    const std::string objectName = "StatusPanel" + std::to_string(i);
    name(panel, objectName.c_str(), QString());
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    status_[static_cast<std::size_t>(i)] = panel;
  }
  status_[0]->setFixedWidth(120);
  bar->addWidget(status_[0]);
  bar->addWidget(status_[1], 1);
  setStatusBar(bar);
}

void MainWindow::buildMenu() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto* file = bar->addMenu(QStringLiteral("&Файл"));
  file->menuAction()->setObjectName(QStringLiteral("N1"));
  newGame_ = file->addAction(QStringLiteral("&Новая игра"));
  newGame_->setObjectName(QStringLiteral("N2"));
  newGame_->setShortcut(Qt::Key_F2);
  soundToggle_ = file->addAction(QStringLiteral("&Звук"));
  soundToggle_->setObjectName(QStringLiteral("soundOn"));
  soundToggle_->setCheckable(true);
  soundToggle_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  file->addSeparator()->setObjectName(QStringLiteral("N6"));
  auto* quit = file->addAction(QStringLiteral("&Выход"));
  quit->setObjectName(QStringLiteral("N7"));
  auto* records = bar->addAction(QStringLiteral("&Рекорды"));
  records->setObjectName(QStringLiteral("f1"));
  auto* about = bar->addAction(QStringLiteral("О &программе..."));
  about->setObjectName(QStringLiteral("N4"));
  auto* help = bar->addAction(QStringLiteral("&?"));
  help->setObjectName(QStringLiteral("N5"));
  setMenuBar(bar);

  connect(newGame_, &QAction::triggered, this, [this] { newGame(); });
  connect(quit, &QAction::triggered, this, &QWidget::close);
  connect(records, &QAction::triggered, this, [this] { showRecords(); });
  connect(about, &QAction::triggered, this, [this] {
    if (menu_.showAbout) menu_.showAbout();
  });
  connect(help, &QAction::triggered, this, [this] {
    if (menu_.showHelp) menu_.showHelp();
  });
}

}  // namespace kelmora::app
