// Four minutes for a whole game cycle, counted down once a second while a round is played.
#include "core/engine/game.h"
#include "core/text/cp1251.h"

namespace kelmora {

namespace {
// The clock turns red below thirty seconds; ten seconds before the end it warns once more.
constexpr int kTurnsRed = 29;
constexpr int kLastSeconds = 10;
}  // namespace

std::string clockText(int seconds) {
  const int s = seconds % 60;
  return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

void Game::clockTick() {
  handle([&] {
    // A tick already queued when the clock was stopped belongs to no round.
    if (!state_.clockRunning) return;
    ++state_.roundSeconds;
    ++state_.questionSeconds;
    --state_.secondsLeft;
    showDisplays();
    if (state_.secondsLeft < 30) screen_.timeLeft.enabled = true;
    if (state_.secondsLeft == kTurnsRed || state_.secondsLeft == kLastSeconds)
      report(events::ClockWarning{state_.secondsLeft});
    if (state_.secondsLeft <= 0) {
      appendLog(std::string("-----------------------[Закончилось время]"_cp));
      stopClock();
      report(events::TimeOut{});
      message(std::string("У вас закончилось время!"_cp));
      loseGame();
    }
  });
}

}  // namespace kelmora
