#include "app/window_ports.h"

#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <chrono>

#include "app/look.h"
#include "app/records_window.h"
#include "app/round_won_dialog.h"
#include "app/text.h"

namespace kelmora::app {

void ClockRandom::seed() {
  generator_.seed(static_cast<std::mt19937::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^
      std::chrono::system_clock::now().time_since_epoch().count()));
}

int ClockRandom::randomIndex(int n) {
  return std::uniform_int_distribution<int>(0, n - 1)(generator_);
}

std::string LocaleCalendar::shortDate() {
  return toCp(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

std::string LocaleCalendar::recordDate() {
  // The locale's order and separators, with the year in two digits so the date fits whole.
  QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
  format.replace(QStringLiteral("yyyy"), QStringLiteral("yy"));
  return toCp(QDate::currentDate().toString(format));
}

std::string LocaleCalendar::longTime() {
  // Qt's long format ends with the time zone; the log has always carried the clock time only.
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return toCp(QTime::currentTime().toString(format.trimmed()));
}

namespace {

void showBox(QWidget* owner, QMessageBox::Icon icon, const QString& text, const char* objectName) {
  QMessageBox box(icon, kTitle, text, QMessageBox::Ok, owner);
  box.setObjectName(QString::fromLatin1(objectName));
  // Messages carry what players typed (a name in the loss message): show it as typed, never
  // as markup.
  box.setTextFormat(Qt::PlainText);
  // Qt centres a box by the size it has before it is laid out; placed again with its real
  // size, it sits in the middle of its owner, or of the screen before any window is there.
  centre(&box, owner && owner->isVisible() ? owner->window() : nullptr);
  box.exec();
}

}  // namespace

void showMessageBox(QWidget* owner, const std::string& text) {
  showMessageBox(owner, fromCp(text));
}

void showMessageBox(QWidget* owner, const QString& text) {
  showBox(owner, QMessageBox::Information, text, "MessageBox");
}

void showErrorBox(QWidget* owner, const std::string& message) {
  showBox(owner, QMessageBox::Critical, fromCp(message) + QLatin1Char('.'), "ErrorBox");
}

WindowPrompts::WindowPrompts(QWidget& owner, RoundWonDialog& roundWon, RecordsWindow& records,
                             std::function<void()> beforeModal)
    : owner_(owner), roundWon_(roundWon), records_(records), beforeModal_(std::move(beforeModal)) {}

void WindowPrompts::showMessage(const std::string& text) {
  beforeModal_();
  showMessageBox(&owner_, text);
}

RoundWonChoice WindowPrompts::roundWon(const std::string& roundSeconds) {
  beforeModal_();
  return roundWon_.ask(fromCp(roundSeconds));
}

void WindowPrompts::showRecords(const RecordsTable& table) {
  beforeModal_();
  if (records_.isVisible()) {
    // The menu's records window is still open (a tick ended the game behind it): the game's
    // own table opens as a window of its own, which the player closes.
    RecordsWindow own(&owner_);
    own.showTable(table);
    return;
  }
  records_.showTable(table);
}

void WindowPrompts::showError(const std::string& message) {
  beforeModal_();
  showErrorBox(&owner_, message);
}

}  // namespace kelmora::app
