#pragma once

// The game: the round flow, the round clock, drawing and checking questions, and the gong
// game. Each public member is one handler of the main window; the window calls it and then
// draws screen(). A failed file operation inside a handler shows the error box and abandons
// the rest of that handler, as the program has always done.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
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
  const QuestionBase& mainBase() const { return mainBase_; }
  // The base a question is drawn from: the main base, or the chosen topic's questions.
  const QuestionTable& questionsFrom(bool mainBase) const {
    return mainBase ? static_cast<const QuestionTable&>(mainBase_) : replacementBase_;
  }
  bool running() const { return screen_.questionBoxEnabled; }

 private:
  void handle(const std::function<void()>& step);

  void appendLog(std::string line) { log_.appendLog(std::move(line)); }
  // Why F2 cannot start a game: an empty main base, or a base that start-up could not read.
  std::string noQuestionsMessage() const;
  void message(const std::string& text) { prompts_.showMessage(text); }
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
  void showRoundWonDialog();
  void updateReplaceButton();
  void restartLadder();

  // Drawing, and the end-of-game hand-over to the records.
  void drawQuestion(bool fromMain);
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

  std::string player_;
  std::string unreadBase_;  // the base file whose reading failed at start-up
  std::string topicName_;
  QuestionBase mainBase_;
  TopicList topics_;
  ReplacementBase replacementBase_;
  GameState state_;
  GongGame gong_;
  Screen screen_ = initialScreen();
  bool clockRunning_ = false;
};

// The remaining time as minutes, a colon and two-digit seconds: 239 is "3:59".
std::string clockText(int seconds);

}  // namespace kelmora
