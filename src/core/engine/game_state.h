#pragma once

// The one record of the running game.

#include <algorithm>
#include <array>
#include <string>

#include "core/text/short_string.h"

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
};

// One of the gong game's value sequences: elements 1..100 at indexes 0..99.
using GongColumn = std::array<ShortString<5>, 100>;

// The gong game's own values; they keep their contents from one gong game to the next.
struct GongGame {
  enum class Phase { AtRest, Dealt, Running };

  std::array<GongColumn, 3> columns{};
  GongColumn chosenColumn{};
  int gongCount = 0;
  int gongPosition = 0;
  int interval = 2000;  // Timer2's, in milliseconds
  Phase phase = Phase::AtRest;
};

}  // namespace kelmora
