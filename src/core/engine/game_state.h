#pragma once

// The one record of the running game.

#include <algorithm>
#include <array>
#include <string>

namespace kelmora {

// Numbers (index + 1) of the questions asked in this game cycle. Only the count says which
// entries belong to the cycle; emptying it leaves the old numbers where they were.
template <int N>
struct UsedList {
  std::array<int, N> numbers{};
  int count = 0;

  bool contains(int number) const {
    return std::find(numbers.begin(), numbers.begin() + count, number) != numbers.begin() + count;
  }
  bool full() const { return count == N; }
  void add(int number) {
    if (full()) count = 0;  // a cycle never draws more than N; start over rather than overrun
    numbers[static_cast<std::size_t>(count++)] = number;
  }
  void clear() { count = 0; }
};

struct GameState {
  static constexpr int kFullTime = 240;

  // Where the game is; every command of the player is judged by it, never by what is drawn.
  enum class Phase {
    NoGame,    // idle: F2 starts a game
    Playing,   // a question is on screen and the clock may run
    RoundWon,  // the round-won dialog is open
    Gong,      // lost: the gong game (or its message) runs until the game ends
  };

  Phase phase = Phase::NoGame;
  bool clockRunning = false;
  int round = 0;
  int ladderStep = 0;
  int passesLeft = 0;
  int passesUsed = 0;
  int correctInRound = 0;
  int replacementsLeft = 0;
  int stake = 0;
  int bank = 0;
  int payout = 0;
  int secondsLeft = kFullTime;
  int roundSeconds = 0;
  int questionSeconds = 0;
  int currentQuestion = 0;
  UsedList<25> usedMain;
  UsedList<3> usedReplacement;
  bool replacementShown = false;
  int redrawCount = 0;
  // How often each round was cleared in this game: its ladder label carries as many "+".
  std::array<int, 5> timesCleared{};
};

// One of the gong game's value sequences: elements 1..100 at indexes 0..99, in roubles, with
// kGongMark where the gong hides.
inline constexpr int kGongMark = -1;
using GongColumn = std::array<int, 100>;

// The gong game's own values; they keep their contents from one gong game to the next.
struct GongGame {
  enum class Phase { AtRest, Dealt, Running };

  std::array<GongColumn, 3> columns{};
  GongColumn chosenColumn{};
  int gongCount = 0;
  int gongPosition = 0;
  int shownValue = 0;   // what the value box shows: what STOP wins
  int interval = 2000;  // Timer2's, in milliseconds
  Phase phase = Phase::AtRest;
};

}  // namespace kelmora
