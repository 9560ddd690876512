// What the player reads on the clock: every shape of minutes and seconds, the red last half
// minute, and ticks that arrive when no round is being played.
#include <gtest/gtest.h>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::Harness;

TEST(ClockDisplay, EveryShapeOfMinutesAndSecondsAsTheGameCountsDown) {
  const struct {
    int ticks;
    const char* shown;
    bool red;
  } cases[] = {
      {0, "4:00", false},   {1, "3:59", false},   {60, "3:00", false},  {175, "1:05", false},
      {180, "1:00", false}, {181, "0:59", false}, {200, "0:40", false}, {210, "0:30", false},
      {211, "0:29", true},  {230, "0:10", true},  {231, "0:09", true},  {235, "0:05", true},
      {239, "0:01", true},
  };
  Harness h;
  h.game.newGame(0);
  int done = 0;
  for (const auto& c : cases) {
    h.ticks(c.ticks - done);
    done = c.ticks;
    const Label& shown = h.game.screen().timeLeft;
    EXPECT_EQ(shown.caption, c.shown) << "after " << c.ticks << " ticks";
    EXPECT_EQ(shown.enabled, c.red) << "after " << c.ticks << " ticks";
    EXPECT_EQ(clockText(240 - c.ticks), c.shown);
  }
}

TEST(ClockDisplay, TheLastTickShowsNoughtInRedBehindTheTimeOutMessage) {
  Harness h;
  Label atTimeOut;
  h.prompts.observe = [&](const std::string& line) {
    if (line == "message: У вас закончилось время!") atTimeOut = h.game.screen().timeLeft;
  };
  h.game.newGame(0);
  h.ticks(240);
  EXPECT_EQ(atTimeOut, (Label{"0:00", true}));
  EXPECT_EQ(h.game.screen().timeLeft, (Label{"4:00", false}));
}

// A tick can be queued behind a window that stopped the clock; it must not move anything.
TEST(ClockDisplay, TicksOutsideARoundChangeNothingOnScreen) {
  const struct {
    const char* when;
    const char* prompt;  // the window open at the time (empty: after the game)
  } cases[] = {
      {"round-won dialog", "round won: 3"},
      {"loss message", "message: Игрок вы проиграли! Но еще не все потеряно! Гонг-Игра впереди..."},
      {"payout message", "message: Ваш выигрыш составил: 0 рублей!"},
      {"idle after the game", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.when);
    Harness h;
    bool unchanged = true;
    int checked = 0;
    h.prompts.observe = [&](const std::string& line) {
      if (line != c.prompt) return;
      const Screen before = h.game.screen();
      const auto logged = h.log.lines().size();
      h.ticks(5);
      unchanged = unchanged && h.game.screen() == before && h.log.lines().size() == logged;
      ++checked;
    };
    h.game.newGame(0);
    h.ticks(3);
    h.answerRight();  // the dialog goes on to round 2
    h.answerWrong();  // a loss in round 2, which then leads to the gong game
    h.game.chooseGongColumn(1);
    h.game.stopGong();
    if (*c.prompt == '\0') {
      const Screen before = h.game.screen();
      h.ticks(5);
      unchanged = h.game.screen() == before;
      ++checked;
    }
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(unchanged);
  }
}

}  // namespace
}  // namespace kelmora
