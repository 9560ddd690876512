// Inside a round: which circle a loss turns red, what each kind of move does to the question
// seconds, and the replacements a new ladder cycle brings.
#include <gtest/gtest.h>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::Harness;

void clearRounds(Harness& h, int upTo) {
  for (int r = 1; r <= upTo; ++r) {
    for (int i = 0; i < r; ++i)
      h.answerRight();
  }
}

TEST(RoundFlow, ALossTurnsRedTheCircleOfTheQuestionLost) {
  const struct {
    int round;
    int rightBefore;  // right answers in the round before the wrong one
  } cases[] = {{1, 0}, {2, 0}, {2, 1}, {3, 0}, {3, 1}, {4, 2}, {5, 0}, {5, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE("round " + std::to_string(c.round) + ", " + std::to_string(c.rightBefore) +
                 " right before");
    Harness h;
    std::vector<Circle> atLoss;
    h.prompts.observe = [&](const std::string& line) {
      if (line.find("проиграли") != std::string::npos) {
        const auto& v = h.game.screen().questionCircles;
        atLoss.assign(v.begin(), v.end());
      }
    };
    h.game.newGame(0);
    clearRounds(h, c.round - 1);
    for (int i = 0; i < c.rightBefore; ++i)
      h.answerRight();
    h.answerWrong();
    ASSERT_EQ(atLoss.size(), 5u);
    for (int k = 0; k < 5; ++k) {
      const Colour expected = k < c.rightBefore ? kGreen : k == c.rightBefore ? kRed : kNavy;
      EXPECT_EQ(atLoss[static_cast<std::size_t>(k)].colour, expected) << "circle " << k + 1;
    }
  }
}

TEST(RoundFlow, QuestionSecondsStartAgainAfterAPassOrARightAnswerButNotAReplacement) {
  const struct {
    const char* move;
    void (*make)(Harness&);
    const char* afterNextTick;  // Label5 one tick after the move, the move made at 4 seconds
  } cases[] = {
      {"pass", [](Harness& h) { h.game.passQuestion(); }, "1"},
      {"right answer", [](Harness& h) { h.answerRight(); }, "1"},
      {"replacement", [](Harness& h) { h.game.replaceQuestion(); }, "5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.move);
    Harness h;
    h.game.newGame(0);
    h.answerRight();  // round 2, where a right answer does not end the round
    h.ticks(4);
    c.make(h);
    h.game.clockTick();
    EXPECT_EQ(h.game.screen().questionSeconds.caption, c.afterNextTick);
    EXPECT_EQ(h.game.screen().roundSeconds.caption, "5");
  }
}

TEST(RoundFlow, EveryLadderCycleBringsThreeNewReplacements) {
  Harness h;
  h.game.newGame(0);
  for (int cycle = 1; cycle <= 2; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    for (int i = 0; i < 3; ++i) {
      EXPECT_TRUE(h.game.screen().replaceEnabled) << i;
      h.game.replaceQuestion();
    }
    EXPECT_FALSE(h.game.screen().replaceEnabled);
    EXPECT_EQ(h.game.state().usedReplacement.count, 3);
    clearRounds(h, 5);
  }
  const auto log = h.logSinceStart();
  EXPECT_EQ(std::count(log.begin(), log.end(), "[Замена]"), 6);
}

}  // namespace
}  // namespace kelmora
