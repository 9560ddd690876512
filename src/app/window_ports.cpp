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

std::string LocaleCalendar::longTime() {
  // Qt's long format ends with the time zone; the log has always carried the clock time only.
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return toCp(QTime::currentTime().toString(format.trimmed()));
}

void showMessageBox(QWidget* owner, const std::string& text) {
  QMessageBox box(QMessageBox::Information, kTitle, fromCp(text), QMessageBox::Ok, owner);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

void showErrorBox(QWidget* owner, const std::string& message) {
  QMessageBox box(QMessageBox::Critical, kTitle, fromCp(message) + QLatin1Char('.'),
                  QMessageBox::Ok, owner);
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
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
  records_.showTable(table);
}

void WindowPrompts::showError(const std::string& message) {
  beforeModal_();
  showErrorBox(&owner_, message);
}

}  // namespace kelmora::app
