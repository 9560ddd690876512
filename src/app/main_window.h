#pragma once

// TForm1, the main window: the prize ladder, the clock, the circles, the question area, the
// bank and the gong box. It draws the game's Screen and forwards the player's commands.

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>

#include "core/engine/game.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kelmora::app {

class CircleShape;

class MainWindow : public QMainWindow {
 public:
  // What the menu opens besides the game itself.
  struct MenuActions {
    std::function<void()> showAbout;
    std::function<void()> showHelp;
  };

  MainWindow();
  void attach(Game& game, MenuActions menu);

  // Draws the game's screen: after every call into the game and before every modal window.
  void render();

  QTimer& clockTimer() { return clockTimer_; }
  QTimer& gongTimer() { return gongTimer_; }
  // "Звук": checked while the game's sounds are on.
  QAction& soundToggle() { return *soundToggle_; }

  // What the player and the two timers do; the controls keep their designer names as object
  // names (the README's developer section maps one to the other).
  void newGame();
  void showRecords();
  void clockTick();
  void gongTick();
  void stopGong();

 private:
  void buildLayout();
  void buildMenu();
  void connectControls();
  // Runs one command of the player against the game, then draws the result.
  void run(const std::function<void()>& command);

  Game* game_ = nullptr;
  MenuActions menu_;
  QTimer clockTimer_;
  QTimer gongTimer_;

  QAction* newGame_ = nullptr;
  QAction* soundToggle_ = nullptr;
  std::array<QLabel*, 5> ladder_{};
  QLabel* questionSeconds_ = nullptr;
  QLabel* roundSeconds_ = nullptr;
  QLabel* timeLeft_ = nullptr;
  QGroupBox* timeBox_ = nullptr;
  std::array<CircleShape*, 5> circles_{};
  std::array<QLabel*, 5> letters_{};
  std::array<CircleShape*, 3> replacementCircles_{};
  QLabel* warning_ = nullptr;
  QLabel* topicCaption_ = nullptr;
  QComboBox* topics_ = nullptr;
  QPlainTextEdit* question_ = nullptr;
  QLineEdit* answer_ = nullptr;
  QToolButton* pass_ = nullptr;
  QToolButton* replace_ = nullptr;
  QLabel* bank_ = nullptr;
  QGroupBox* gongBox_ = nullptr;
  std::array<QPushButton*, 3> gongChoices_{};
  QLineEdit* gongValue_ = nullptr;
  QPushButton* stop_ = nullptr;
  std::array<QLabel*, 2> status_{};

  unsigned answerRevision_ = 0;
  unsigned gongValueRevision_ = 0;
  std::vector<std::string> shownQuestion_;
  std::vector<std::string> shownTopics_;
};

}  // namespace kelmora::app
