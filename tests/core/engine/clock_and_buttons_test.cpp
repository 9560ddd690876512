// The round clock, passes, replacements and drawing inside a running game.
#include <gtest/gtest.h>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::cp;
using test::Harness;
using Lines = std::vector<std::string>;

struct Times {
  std::string left, round, question;
  bool red;
  bool operator==(const Times&) const = default;
  friend std::ostream& operator<<(std::ostream& os, const Times& t) {
    return os << t.left << " " << t.round << " " << t.question << (t.red ? " red" : "");
  }
};

Times times(const Harness& h) {
  const Screen& s = h.game.screen();
  return {s.timeLeft.caption, s.roundSeconds.caption, s.questionSeconds.caption,
          s.timeLeft.enabled};
}

TEST(RoundClock, CountsDownTurnsRedAndCarriesTimeFromRoundToRound) {
  Harness h;
  h.game.newGame(0);
  EXPECT_EQ(times(h), (Times{"4:00", "0", "0", false}));
  h.game.clockTick();
  EXPECT_EQ(times(h), (Times{"3:59", "1", "1", false}));
  h.ticks(99);
  h.answerRight();
  EXPECT_EQ(h.prompts.shown.back(), "round won: 100");
  EXPECT_EQ(times(h), (Times{"2:20", "0", "0", false}));
  h.ticks(110);
  EXPECT_EQ(times(h), (Times{"0:30", "110", "110", false}));
  h.game.clockTick();
  EXPECT_EQ(times(h), (Times{"0:29", "111", "111", true}));
  EXPECT_EQ(clockText(65), "1:05");
  EXPECT_EQ(clockText(5), "0:05");
}

TEST(RoundClock, StandsStillInTheRoundWonDialogAndRestartsAfterRoundFive) {
  Harness h;
  bool clockInDialog = true;
  h.prompts.observe = [&](const std::string& line) {
    if (line.starts_with("round won")) clockInDialog = clockInDialog && h.timers.clock;
  };
  h.game.newGame(0);
  for (int r = 1; r <= 5; ++r) {
    for (int i = 0; i < r; ++i) {
      h.ticks(5);
      h.answerRight();
    }
  }
  EXPECT_FALSE(clockInDialog);
  EXPECT_EQ(h.prompts.shown.back(), "round won: 25");
  EXPECT_EQ(times(h), (Times{"4:00", "0", "0", false}));
  EXPECT_TRUE(h.timers.clock);
  h.game.clockTick();
  EXPECT_EQ(times(h), (Times{"3:59", "1", "1", false}));
}

TEST(PassesAndReplacements, CirclesButtonsAndTheQuestionSeconds) {
  Harness h;
  h.game.newGame(0);
  const Screen& s = h.game.screen();
  h.ticks(3);
  h.game.replaceQuestion();
  EXPECT_EQ(s.questionLines, Lines{"T0"});
  EXPECT_EQ(s.replacementCircles[0].colour, kWhite);
  EXPECT_EQ(s.questionSeconds.caption, "3");  // a replacement keeps counting
  h.game.clockTick();
  EXPECT_EQ(s.questionSeconds.caption, "4");

  h.game.passQuestion();  // brings a main question, judged against the main base
  EXPECT_EQ(s.questionCircles[4].colour, kWhite);
  EXPECT_EQ(s.questionSeconds.caption, "0");
  EXPECT_FALSE(h.game.state().replacementShown);
  for (int i = 0; i < 3; ++i)
    h.game.passQuestion();
  EXPECT_FALSE(s.passEnabled);
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(s.questionCircles[static_cast<std::size_t>(k)].colour, kWhite);
  EXPECT_EQ(s.questionCircles[0].colour, kNavy);
  EXPECT_TRUE(s.questionCircles[0].letterVisible);

  h.game.replaceQuestion();
  h.game.replaceQuestion();
  EXPECT_FALSE(s.replaceEnabled);
  for (const auto& z : s.replacementCircles)
    EXPECT_EQ(z.colour, kWhite);
  EXPECT_EQ(h.game.state().usedReplacement.count, 3);

  Circle whenCleared;
  h.prompts.observe = [&](const std::string&) { whenCleared = s.questionCircles[0]; };
  h.answerRight();  // the third replacement question counts like any other
  EXPECT_EQ(whenCleared, (Circle{kGreen, true, false}));
  EXPECT_TRUE(s.passEnabled);  // round 2 has its passes again
  EXPECT_FALSE(s.replaceEnabled);
  EXPECT_EQ(h.logSinceStart(),
            (Lines{"--------------------------[Новая игра]", "Тема замен: [История]", "[Замена]",
                   "[ПАС]", "[ПАС]", "[ПАС]", "[ПАС]", "[Замена]", "[Замена]",
                   "[Вопрос] - 2(0) [Ответ] - t2", "Время тура - 4"}));
}

TEST(PassesAndReplacements, RoundFiveHasNoPassAndTheFirstRoundsLetters) {
  Harness h;
  h.game.newGame(0);
  const Screen& s = h.game.screen();
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(s.questionCircles[static_cast<std::size_t>(k)].letterVisible, k == 0);
  for (int r = 1; r <= 4; ++r) {
    for (int i = 0; i < r; ++i)
      h.answerRight();
  }
  EXPECT_EQ(h.game.state().round, 5);
  EXPECT_FALSE(s.passEnabled);
  for (const auto& v : s.questionCircles)
    EXPECT_TRUE(v.letterVisible);
  EXPECT_EQ(h.game.state().stake, 0);
  EXPECT_EQ(s.ladder[3].caption, cp("4. Раунд:    15000+"));

  // The rules refuse what the window does not offer, whatever reaches them: no pass in round
  // 5, no second game over a running one.
  h.ticks(3);
  const auto logged = h.log.lines().size();
  const GameState before = h.game.state();
  h.game.passQuestion();
  h.game.newGame(1);
  EXPECT_EQ(h.log.lines().size(), logged);
  EXPECT_EQ(h.game.state().questionSeconds, before.questionSeconds);
  EXPECT_EQ(h.game.state().round, 5);
  EXPECT_EQ(h.game.state().correctInRound, before.correctInRound);
}

TEST(Drawing, RedrawsAreCountedAndLoggedWithTheAnswerAsTyped) {
  Harness h;
  h.random.script = {4, 4, 4, 4, 9};
  h.game.newGame(0);
  h.answerRight();  // Q4, round 1 cleared
  EXPECT_EQ(h.game.screen().questionLines, Lines{"Q9"});
  EXPECT_EQ(h.game.state().redrawCount, 3);
  h.game.checkAnswer("");  // Enter on an empty box does nothing
  EXPECT_EQ(h.logSinceStart().size(), 4u);
  h.game.checkAnswer(" A-9! ");  // a Latin capital is not folded: judged wrong
  EXPECT_EQ(h.logSinceStart()[4], "[Вопрос] - 9(3) [Ответ] -  A-9! ");
  EXPECT_EQ(h.game.screen().answerBox.text, "");  // the gong game has cleared it
  EXPECT_FALSE(h.game.running());
}

TEST(Drawing, ASmallBaseRepeatsQuestionsInsteadOfHanging) {
  Harness h(3);
  h.game.newGame(0);
  for (int r = 1; r <= 3; ++r) {
    for (int i = 0; i < r; ++i)
      h.answerRight();
  }
  const auto& used = h.game.state().usedMain;
  EXPECT_LE(used.count, 3);
  EXPECT_EQ(h.game.state().round, 4);
}

TEST(Drawing, EmptyBasesAndTopicsNeverOfferWhatCannotBeDrawn) {
  Harness noQuestions(0);
  noQuestions.game.newGame(0);
  EXPECT_TRUE(noQuestions.logSinceStart().empty());
  EXPECT_TRUE(noQuestions.game.screen().newGameEnabled);
  EXPECT_EQ(noQuestions.prompts.shown.size(), 1u);

  Harness h(30, {0, 2});
  h.game.newGame(0);
  EXPECT_FALSE(h.game.screen().replaceEnabled);
  EXPECT_EQ(h.game.screen().statusPanels[1], cp("Замен на тему [История] в базе: 0"));
  h.answerWrong();
  h.game.newGame(1);
  EXPECT_TRUE(h.game.screen().replaceEnabled);
  h.game.replaceQuestion();
  h.game.replaceQuestion();
  EXPECT_FALSE(h.game.screen().replaceEnabled);  // one replacement left, but no question
  EXPECT_EQ(h.game.state().replacementsLeft, 1);
}

TEST(Answers, FillerEmptySlotsAndTheTwentyFourCharacterCut) {
  const struct {
    int question;
    std::string typed;
    bool right;
  } cases[] = {{0, " ", true},  // an empty slot takes an answer that normalises to nothing
               {0, "xcode", true},
               {0, cp("а"), true},
               {1, cp("абвгдежзийклмнопрстуфхцч"), true},
               {1, cp("абвгдежзийклмнопрстуфхцчш"), false}};
  for (const auto& c : cases) {
    Harness h(cp("Q?\\а  б/\r\nQ2?\\абвгдежзийклмнопрстуфхцчшщ/\r\n"));
    h.random.script = {c.question};
    h.game.newGame(0);
    h.game.checkAnswer(c.typed);
    EXPECT_EQ(h.game.running(), c.right) << c.typed;
  }
}

}  // namespace
}  // namespace kelmora
