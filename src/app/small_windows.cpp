#include "app/small_windows.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/look.h"
#include "app/text.h"
#include "app/window_ports.h"
#include "core/files/file_error.h"
#include "core/files/game_files.h"
#include "core/files/text_file.h"

namespace kelmora::app {

namespace {

constexpr Qt::WindowFlags kCloseOnly = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

constexpr QSize kRestoredSize(350, 303);

const QString kAuthorMail = QStringLiteral("kelmora@example.org");
const QString kReleasesPage = QStringLiteral("https://kelmora.example.org/releases");
const QString kAuthorPage = QStringLiteral("https://kelmora.example.org");

// A link label: blue, underlined, a pointing hand, and the shell's default action on click.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& text, QUrl target, QWidget* parent)
      : QLabel(text, parent), target_(std::move(target)) {
    QFont f = makeFont(Face::SansSerif, 11);
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (rect().contains(event->position().toPoint())) QDesktopServices::openUrl(target_);
  }

 private:
  QUrl target_;
};

QLabel* linkLabel(QWidget* parent, const char* objectName, const QString& text, const QUrl& target,
                  int left, int top) {
  auto* label = new LinkLabel(text, target, parent);
  name(label, objectName, text);
  label->move(left, top);
  label->adjustSize();
  return label;
}

}  // namespace

HelpWindow::HelpWindow(std::filesystem::path dir, QWidget* parent)
    : QDialog(parent, kCloseOnly), dir_(std::move(dir)) {
  setObjectName(QStringLiteral("TForm5"));
  setWindowTitle(QStringLiteral("Помощь"));
  resize(kRestoredSize);
  text_ = new QPlainTextEdit(QStringLiteral("Memo1"), this);
  name(text_, "Memo1", QStringLiteral("Правила игры"));
  text_->setReadOnly(true);
  text_->setFont(makeFont(Face::SansSerif, 13));
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QPalette p = text_->palette();
  p.setColor(QPalette::Base, buttonFace());
  text_->setPalette(p);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
}

void HelpWindow::loadHelpText() {
  // Rules fit in a few pages; a help file of hundreds of megabytes must not freeze the game or
  // fill its memory, so only its first megabyte is shown.
  constexpr std::size_t kMostHelp = 1 << 20;
  try {
    const TextStart help = readStartOf(dir_ / kHelpFile, kMostHelp);
    QStringList lines;
    for (const auto& line : help.lines)
      lines << fromCp(line);
    if (help.cut) {
      lines << QString()
            << QStringLiteral("Файл справки больше мегабайта: показано только его начало.");
    }
    text_->setPlainText(lines.join(QLatin1Char('\n')));
  } catch (const FileError& e) {
    showErrorBox(parentWidget(), e.what());
  }
}

void HelpWindow::showHelp() {
  loadHelpText();
  if (!isMaximized()) {
    // 350 x 303 is the restored window with its frame; the frame is the window manager's.
    resize(kRestoredSize.shrunkBy(app::frameMargins()));
    centre(this);
  }
  setWindowState(windowState() | Qt::WindowMaximized);
  exec();
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent, kCloseOnly) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowTitle(QStringLiteral("О программе..."));
  setFixedSize(298, 225);
  const QFont sans = makeFont(Face::SansSerif, 11);
  setFont(sans);

  auto* panel = new QFrame(this);
  name(panel, "Panel1", QStringLiteral("О программе"));
  panel->setGeometry(8, 8, 281, 177);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setLineWidth(2);

  auto* icon = new QLabel(panel);
  name(icon, "ProgramIcon", QStringLiteral("Значок программы"));
  icon->setPixmap(programIcon().pixmap(32, 32));
  icon->setGeometry(16, 16, 32, 32);
  placeLabel(panel, "Label4", QStringLiteral("Версия         : 1.01 (beta 2)"), 72, 16, sans);
  placeLabel(panel, "Label3", QStringLiteral("Дата релиза: 02.11.2002"), 72, 32, sans);
  placeLabel(panel, "Label2", QStringLiteral("Автор: команда Кельморы"), 72, 48, sans);
  linkLabel(panel, "Label6", kAuthorMail, QUrl(QStringLiteral("mailto: ") + kAuthorMail), 144, 64);
  placeLabel(panel, "Label7", QStringLiteral("Скачать новую версию"), 8, 104, sans);
  linkLabel(panel, "Label5", QStringLiteral("kelmora.example.org"), QUrl(kReleasesPage), 144, 104);
  placeLabel(panel, "Label8", QStringLiteral("Софт, кодинг,  приколы,"), 8, 128, sans);
  placeLabel(panel, "Label10", QStringLiteral("а также многое другое  -  "), 8, 144, sans);
  linkLabel(panel, "Label1", QStringLiteral("kelmora.example.org"), QUrl(kAuthorPage), 144, 144);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  name(ok, "OKButton", QStringLiteral("OK"));
  ok->setGeometry(111, 196, 75, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showBox() {
  centre(this);
  exec();
}

OptionsDialog::OptionsDialog(QWidget* parent) : QDialog(parent, kCloseOnly) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(QStringLiteral("Опции"));
  setFixedSize(298, 82);
  setFont(makeFont(Face::SansSerif, 11));
  auto* box = new QGroupBox(QStringLiteral("Настройки"), this);
  name(box, "GroupBox1", box->title());
  box->setGeometry(8, 8, 281, 65);
  auto* check = new QCheckBox(QStringLiteral("Отключить ГОНГ-ИГРУ"), box);
  name(check, "CheckBox2", check->text());
  check->setGeometry(16, 24, 137, 17);
}

EmptyWindow::EmptyWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("TForm7"));
  setWindowTitle(QStringLiteral("50000 Ваши!"));
  setFixedSize(332, 328);
}

}  // namespace kelmora::app
