#pragma once

// The game: the round flow, the round clock, drawing and checking questions, and the gong
// game. Each public member is one command of the player or one tick of a timer; the window
// calls it and then draws screen(), and listeners hear what happened through Events. The rules
// decide by GameState and GongGame alone: they write the Screen and never read it back (a test
// holds the engine's sources to that). A failed file operation inside a command shows the error
// box and abandons the rest of that command, as the program has always done.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/engine/events.h"
#include "core/engine/game_state.h"
#include "core/engine/ports.h"
#include "core/engine/screen.h"
#include "core/log/game_log.h"

namespace kelmora {

class Game {
 public:
  struct Ports {
    Random& random;
    Timers& timers;
    Prompts& prompts;
    Calendar& calendar;
    Events& events;
  };

  // dir is where the game's files are; the log is the run's, owned by the application.
  Game(std::filesystem::path dir, GameLog& log, Ports ports);

  // The start-up of the main window once the player has signed in: reset, the topic list,
  // the main base, the caption and the question count.
  void startUp(std::string_view player);

  // "Новая игра" (F2) with the topic chosen in the selector (-1: none).
  void newGame(int topic);
  // Enter in the answer box, with the text as typed (code page).
  void checkAnswer(std::string_view typed);
  void passQuestion();
  void replaceQuestion();
  // One tick of Timer1.
  void clockTick();
  // The gong game's buttons "1".."3", one tick of Timer2, and "СТОП".
  void chooseGongColumn(int k);
  void gongTick();
  void stopGong();
  // "Рекорды" in the menu.
  void showRecords();

  const Screen& screen() const { return screen_; }
  const GameState& state() const { return state_; }
  const GongGame& gong() const { return gong_; }
  // The base a question is drawn from: the main base, or the chosen topic's questions.
  const QuestionTable& questionsFrom(bool mainBase) const {
    return mainBase ? static_cast<const QuestionTable&>(mainBase_) : replacementBase_;
  }
  bool running() const { return state_.phase == GameState::Phase::Playing; }

 private:
  void handle(const std::function<void()>& step);

  void appendLog(std::string line) { log_.appendLog(std::move(line)); }
  // Why F2 cannot start a game: an empty main base, or a base that start-up could not read.
  std::string noQuestionsMessage() const;
  void message(const std::string& text) { prompts_.showMessage(text); }
  void report(const GameEvent& event) { events_.report(event); }
  void startClock();
  void stopClock();
  void showDisplays();

  // Round flow.
  void completeRound();
  void startRound(int r);
  void resetQuestionCircles(int r);
  void hideGameCircles();
  void setPlayControls(bool on);
  void acceptRightAnswer();
  void loseGame();
  void endGame();
  void takeMoney();
  void showRoundWonDialog(int seconds);
  void showGongValue(int value);
  bool canReplace() const;
  void updateReplaceButton();
  void markCleared(int round);
  void restartLadder();

  // Drawing, and the end-of-game hand-over to the records.
  void drawQuestion(bool fromMain, events::Why why = events::Why::Drawn);
  void insertResult(int payout);

  // Gong game.
  void startGongGame();
  void startGongTicker();
  void endGongGame();

  std::filesystem::path dir_;
  GameLog& log_;
  Random& random_;
  Timers& timers_;
  Prompts& prompts_;
  Calendar& calendar_;
  Events& events_;

  std::string player_;
  std::string unreadBase_;  // the base file whose reading failed at start-up
  std::string topicName_;
  QuestionBase mainBase_;
  TopicList topics_;
  ReplacementBase replacementBase_;
  GameState state_;
  GongGame gong_;
  Screen screen_ = initialScreen();
};

// The remaining time as minutes, a colon and two-digit seconds: 239 is "3:59".
std::string clockText(int seconds);

}  // namespace kelmora
