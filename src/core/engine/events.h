#pragma once

// What happened, as a player perceives it. The Screen shows the state; an event tells the one
// thing that just changed, so a screen reader or a sound can follow the game without comparing
// two screens. Each event is reported once, before any message box it leads to opens, and
// carries what a listener needs to put it into words.

#include <string>
#include <variant>
#include <vector>

namespace kelmora::events {

// F2 started a game; topic is the replacement topic's name (code page, may be empty).
struct GameStarted {
  std::string topic;
  bool operator==(const GameStarted&) const = default;
};

enum class Why { Drawn, AfterPass, Replacement };

// A question appeared in the question box. text is code page; rightNeeded is how many right
// answers the round still wants.
struct QuestionShown {
  std::string text;
  bool fromTopic = false;
  Why why = Why::Drawn;
  int round = 0;
  int rightNeeded = 0;
  bool operator==(const QuestionShown&) const = default;
};

struct AnswerJudged {
  bool right = false;
  bool operator==(const AnswerJudged&) const = default;
};

struct Passed {
  int passesLeft = 0;
  bool operator==(const Passed&) const = default;
};

struct Replaced {
  int replacementsLeft = 0;
  bool operator==(const Replaced&) const = default;
};

// A round was cleared: its number, its prize, the seconds it took and the bank after it.
// Round 5 is followed by a fresh ladder and clock if the player goes on.
struct RoundWon {
  int round = 0;
  int prize = 0;
  int seconds = 0;
  int bank = 0;
  bool operator==(const RoundWon&) const = default;
};

// "Забрать деньги" in the round-won dialog; amount is what the game pays out.
struct MoneyTaken {
  int amount = 0;
  bool operator==(const MoneyTaken&) const = default;
};

// The clock reached one of its warnings: the time turned red, and the last ten seconds.
struct ClockWarning {
  int secondsLeft = 0;
  bool operator==(const ClockWarning&) const = default;
};

struct TimeOut {
  bool operator==(const TimeOut&) const = default;
};

// The gong game was dealt: what can be won back at most, for the round that was lost.
struct GongStarted {
  int lostRound = 0;
  int prize = 0;
  bool operator==(const GongStarted&) const = default;
};

struct GongColumnChosen {
  int column = 0;
  bool operator==(const GongColumnChosen&) const = default;
};

// The ticker turned up the next value of the chosen column; struck means "ГОНГ".
struct GongValueShown {
  int value = 0;
  bool struck = false;
  bool operator==(const GongValueShown&) const = default;
};

enum class GongOutcome { Stopped, Struck, Maximum };

// The gong game is over: stopped by the player, struck, or run to its end. won is the stake.
struct GongEnded {
  GongOutcome outcome = GongOutcome::Stopped;
  int won = 0;
  bool operator==(const GongEnded&) const = default;
};

struct GameEnded {
  int payout = 0;
  bool operator==(const GameEnded&) const = default;
};

// The payout took place `place` (1..100) in the records table.
struct RecordPlaced {
  int place = 0;
  int payout = 0;
  bool operator==(const RecordPlaced&) const = default;
};

}  // namespace kelmora::events

namespace kelmora {

using GameEvent =
    std::variant<events::GameStarted, events::QuestionShown, events::AnswerJudged, events::Passed,
                 events::Replaced, events::RoundWon, events::MoneyTaken, events::ClockWarning,
                 events::TimeOut, events::GongStarted, events::GongColumnChosen,
                 events::GongValueShown, events::GongEnded, events::GameEnded,
                 events::RecordPlaced>;

// The port the game reports its events through. Listeners must return quickly and never open
// a window: the game goes on as soon as report returns.
class Events {
 public:
  virtual ~Events() = default;
  virtual void report(const GameEvent& event) = 0;
};

// Hands each event to every listener that has joined, in the order they joined: the screen
// reader's words and the sounds hang on the same game.
class EventListeners : public Events {
 public:
  void join(Events& listener) { listeners_.push_back(&listener); }
  void report(const GameEvent& event) override {
    for (Events* listener : listeners_)
      listener->report(event);
  }

 private:
  std::vector<Events*> listeners_;
};

// A readable one-line account of an event (UTF-8), for logs of tests and tools.
std::string describe(const GameEvent& event);

}  // namespace kelmora
