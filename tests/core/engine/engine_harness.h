#pragma once

// A whole game without windows: the engine over real files in a temporary directory, with
// scripted chance and a scripted player at the modal prompts.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/engine/game.h"
#include "core/log/game_log.h"
#include "core/players/records.h"
#include "test_support.h"

namespace kelmora {
// Lets a failed comparison of two screens show what differs, in readable text.
void PrintTo(const Screen& s, std::ostream* os);
}  // namespace kelmora

namespace kelmora::test {

class ScriptedRandom : public Random {
 public:
  // Scripted values come first; after them the generator if there is one, else 0, 1, 2, ...
  // counted for each range apart, so question draws and gong draws do not disturb each other.
  std::deque<int> script;
  std::vector<int> ranges;  // the n of every call, in order
  std::optional<std::mt19937> generator;

  int randomIndex(int n) override {
    ranges.push_back(n);
    if (!script.empty()) {
      const int v = script.front();
      script.pop_front();
      return v;
    }
    if (generator) return std::uniform_int_distribution<int>(0, n - 1)(*generator);
    return next_[n]++ % n;
  }

 private:
  std::map<int, int> next_;
};

class FakeTimers : public Timers {
 public:
  bool clock = false;
  bool ticker = false;
  int interval = 2000;
  int clockStarts = 0;
  void startClock() override {
    clock = true;
    ++clockStarts;
  }
  void stopClock() override { clock = false; }
  void startGongTicker() override { ticker = true; }
  void stopGongTicker() override { ticker = false; }
  void setGongInterval(int ms) override { interval = ms; }
};

// Records every modal window as one line of UTF-8 text, in order.
class ScriptedPrompts : public Prompts {
 public:
  std::vector<std::string> shown;
  std::deque<RoundWonChoice> choices;  // then the chooser, then GoOn
  std::function<RoundWonChoice()> chooser;
  RecordsTable records;
  // Called with each line as its window opens, so a test can look at the game behind it.
  std::function<void(const std::string&)> observe;

  void showMessage(const std::string& text) override { record("message: " + toUtf8(text)); }
  RoundWonChoice roundWon(const std::string& seconds) override {
    record("round won: " + toUtf8(seconds));
    if (choices.empty()) return chooser ? chooser() : RoundWonChoice::GoOn;
    const auto c = choices.front();
    choices.pop_front();
    return c;
  }
  void showRecords(const RecordsTable& table) override {
    records = table;
    record("records");
  }
  void showError(const std::string& message) override { record("error: " + message); }

 private:
  void record(const std::string& line) {
    shown.push_back(line);
    if (observe) observe(line);
  }
};

class FixedCalendar : public Calendar {
 public:
  std::string shortDate() override {
    calls.push_back("date");
    return "07.12.2026";
  }
  std::string longTime() override {
    calls.push_back("time");
    return "22:40:01";
  }
  std::string recordDate() override {
    calls.push_back("record date");
    return "07.12.26";
  }
  std::vector<std::string> calls;  // in the order they were made
};

// Every event the game reports, in order, and as readable lines for failure messages.
class RecordedEvents : public Events {
 public:
  std::vector<GameEvent> all;
  // Called with each event's line as it is reported, so a test can set it among the prompts.
  std::function<void(const std::string&)> observe;
  void report(const GameEvent& event) override {
    all.push_back(event);
    if (observe) observe(describe(event));
  }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& e : all)
      out.push_back(describe(e));
    return out;
  }
  std::vector<std::string> take() {
    auto out = lines();
    all.clear();
    return out;
  }
};

// The screen with what cannot be seen set to fixed values: hidden circles keep their last
// colour, and the gong box out of view keeps what its last game left in it.
Screen visiblePart(Screen s);

// Question i of the main base reads "Q<i>" and takes the answer "a<i>"; question j of a topic
// reads "T<j>" and takes "t<j>".
std::string mainBaseText(int questions);
std::string topicsText(const std::vector<int>& topicSizes);

struct Harness {
  explicit Harness(const std::string& mainBase, std::vector<int> topicSizes = {10, 5},
                   const std::filesystem::path& parent = std::filesystem::temp_directory_path());
  explicit Harness(int mainQuestions = 30, std::vector<int> topicSizes = {10, 5},
                   const std::filesystem::path& parent = std::filesystem::temp_directory_path());

  // Types the right or a wrong answer to the question on screen and presses Enter.
  void answerRight();
  void answerWrong() { game.checkAnswer("wrong"); }
  void ticks(int n) {
    for (int i = 0; i < n; ++i)
      game.clockTick();
  }
  // Log lines of this run after the start-up line, in UTF-8.
  std::vector<std::string> logSinceStart() const;
  std::vector<std::string> takeShown();

  TempDir dir;
  ScriptedRandom random;
  FakeTimers timers;
  ScriptedPrompts prompts;
  FixedCalendar calendar;
  RecordedEvents events;
  GameLog log{dir.path()};
  Game game{dir.path(), log, {random, timers, prompts, calendar, events}};
};

}  // namespace kelmora::test
