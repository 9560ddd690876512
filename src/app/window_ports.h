#pragma once

// The core's ports, implemented with the real timers, windows, clock and locale.

#include <QString>
#include <QTimer>
#include <functional>
#include <random>

#include "core/engine/ports.h"

class QWidget;

namespace kelmora::app {

class RoundWonDialog;
class RecordsWindow;

class WindowTimers : public Timers {
 public:
  WindowTimers(QTimer& clock, QTimer& ticker) : clock_(clock), ticker_(ticker) {}
  void startClock() override { clock_.start(); }
  void stopClock() override { clock_.stop(); }
  void startGongTicker() override { ticker_.start(); }
  void stopGongTicker() override { ticker_.stop(); }
  void setGongInterval(int milliseconds) override { ticker_.setInterval(milliseconds); }

 private:
  QTimer& clock_;
  QTimer& ticker_;
};

// One generator for the whole run, seeded from the clock when the main window first shows.
class ClockRandom : public Random {
 public:
  void seed();
  int randomIndex(int n) override;

 private:
  std::mt19937 generator_;
};

class LocaleCalendar : public Calendar {
 public:
  std::string shortDate() override;
  std::string longTime() override;
  std::string recordDate() override;
};

// Information boxes and the error box, as every window of the game shows them.
void showMessageBox(QWidget* owner, const std::string& text);
// For a text that is not the game's own: it may hold characters the code page has not.
void showMessageBox(QWidget* owner, const QString& text);
void showErrorBox(QWidget* owner, const std::string& message);

class WindowPrompts : public Prompts {
 public:
  // beforeModal draws the main window, so each box opens over the state the rules describe.
  WindowPrompts(QWidget& owner, RoundWonDialog& roundWon, RecordsWindow& records,
                std::function<void()> beforeModal);

  void showMessage(const std::string& text) override;
  RoundWonChoice roundWon(const std::string& roundSeconds) override;
  void showRecords(const RecordsTable& table) override;
  void showError(const std::string& message) override;

 private:
  QWidget& owner_;
  RoundWonDialog& roundWon_;
  RecordsWindow& records_;
  std::function<void()> beforeModal_;
};

}  // namespace kelmora::app
