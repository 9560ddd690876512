// What a listener hears of whole games: every event once, in order, each before the window it
// leads to opens (lines starting with "> " are the modal windows).
#include <gtest/gtest.h>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::Harness;
using Lines = std::vector<std::string>;

constexpr auto kTake = RoundWonChoice::TakeMoney;
constexpr auto kGoOn = RoundWonChoice::GoOn;

// The events and the windows of a game, on one line each, in the order they happened.
struct Timeline {
  explicit Timeline(Harness& h) {
    h.events.observe = [this](const std::string& line) { lines.push_back(line); };
    h.prompts.observe = [this](const std::string& line) { lines.push_back("> " + line); };
  }
  Lines take() { return std::exchange(lines, {}); }
  Lines lines;
};

const std::string kLost =
    "> message: Игрок вы проиграли! Но еще не все потеряно! Гонг-Игра впереди...";

Lines paidOut(int payout) {
  const std::string sum = std::to_string(payout);
  return {"game ended: " + sum, "> message: Ваш выигрыш составил: " + sum + " рублей!",
          "record place 1: " + sum, "> message: Вы попали на 1 место в таблице рекордов!",
          "> records"};
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(Events, AllFiveRoundsWonThenTheMoneyTaken) {
  Harness h;
  Timeline t(h);
  h.prompts.choices = {kGoOn, kGoOn, kGoOn, kGoOn, kTake};
  h.game.newGame(0);
  Lines expected = {"game started, topic 'История'"};
  const int prizes[] = {1000, 2500, 5000, 15000, 50000};
  int q = 0;
  for (int r = 1; r <= 5; ++r) {
    for (int i = 0; i < r; ++i) {
      expected.push_back("question (drawn) round " + std::to_string(r) + " needs " +
                         std::to_string(r - i) + ": Q" + std::to_string(q++));
      expected.push_back("right");
    }
    expected.push_back("round " + std::to_string(r) + " won: " + std::to_string(prizes[r - 1]) +
                       " in " + std::to_string(r) + " s, bank " + (r == 5 ? "50000" : "0"));
    expected.push_back("> round won: " + std::to_string(r));
  }
  for (int r = 1; r <= 5; ++r) {
    h.ticks(r);
    for (int i = 0; i < r; ++i)
      h.answerRight();
  }
  EXPECT_EQ(t.take(), expected + Lines{"money taken: 50000"} + paidOut(50000));
}

TEST(Events, PassAndReplacementEachBringTheirQuestion) {
  Harness h;
  Timeline t(h);
  h.prompts.choices = {kTake};
  h.game.newGame(1);
  h.game.passQuestion();
  h.game.replaceQuestion();
  h.answerRight();
  EXPECT_EQ(
      t.take(),
      (Lines{"game started, topic 'Спорт'", "question (drawn) round 1 needs 1: Q0", "pass, 3 left",
             "question (after a pass) round 1 needs 1: Q1", "replacement, 2 left",
             "question (replacement, topic) round 1 needs 1: T0", "right",
             "round 1 won: 1000 in 0 s, bank 0", "> round won: 0", "money taken: 1000"} +
       paidOut(1000)));
}

TEST(Events, TheClockWarnsTwiceThenRunsOut) {
  Harness h;
  Timeline t(h);
  h.game.newGame(0);
  t.take();
  h.ticks(210);
  EXPECT_TRUE(t.take().empty()) << "nothing is told while the clock is grey";
  h.ticks(1);
  EXPECT_EQ(t.take(), (Lines{"clock: 29 s left"}));
  h.ticks(28);
  EXPECT_EQ(t.take(), (Lines{"clock: 10 s left"}));
  h.ticks(1);
  EXPECT_EQ(t.take(), (Lines{"time out", "> message: У вас закончилось время!", kLost,
                             "> message: У вас \"0\" !"} +
                       paidOut(0)));
  h.ticks(5);
  EXPECT_TRUE(t.take().empty()) << "a late tick belongs to no game";
}

struct GongCase {
  const char* name;
  int column;
  int ticks;  // then "СТОП" unless the game ended by itself
  Lines heard;
  int payout;
};

class GongEvents : public ::testing::TestWithParam<GongCase> {};

// Round 2 lost: a step of 100 up to 1000, the right column 1, gongs at 6 (column 2) and 9
// (column 3).
TEST_P(GongEvents, EachValueAndTheEnding) {
  const auto& c = GetParam();
  Harness h;
  Timeline t(h);
  h.game.newGame(0);
  h.answerRight();
  t.take();
  h.random.script = {50, 0, 2, 5};
  h.answerWrong();
  h.game.chooseGongColumn(c.column);
  for (int i = 0; i < c.ticks; ++i)
    h.game.gongTick();
  h.game.stopGong();
  EXPECT_EQ(t.take(), (Lines{"wrong", kLost, "gong game for round 2, up to 1000",
                             "gong column " + std::to_string(c.column)} +
                       c.heard + paidOut(c.payout)));
}

Lines values(int step, int count) {
  Lines out;
  for (int k = 1; k <= count; ++k)
    out.push_back("gong value: " + std::to_string(k * step));
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Endings, GongEvents,
    ::testing::Values(
        GongCase{"StoppedAtOnceWinsNothing",
                 1,
                 0,
                 {"gong stopped: 0", "> message: Вы смогли отыграть: 0 рублей."},
                 0},
        GongCase{"Stopped", 1, 3,
                 values(100, 3) +
                     Lines{"gong stopped: 300", "> message: Вы смогли отыграть: 300 рублей."},
                 300},
        GongCase{"Struck", 2, 8,
                 values(100, 5) + Lines{"gong value: GONG", "gong struck: 0",
                                        "> message: ГОНГ !!! Вы ничего не смогли отыграть!"},
                 0},
        GongCase{"RunToTheEnd", 1, 12,
                 values(100, 10) + Lines{"gong value: 1000", "gong maximum: 1000",
                                         "> message: Вы отыграли максимальную сумму!"},
                 1000}),
    [](const auto& info) { return std::string(info.param.name); });

// The screen reader and the sounds hang on one game: each hears every event, the one that
// joined first first. A listener dropped here would leave a player without sight with a
// silent game, or without its words.
TEST(Events, EveryListenerThatJoinedHearsEachEventInTheOrderTheyJoined) {
  EventListeners listeners;
  test::RecordedEvents speech, sound;
  Lines order;
  speech.observe = [&](const std::string& line) { order.push_back("speech: " + line); };
  sound.observe = [&](const std::string& line) { order.push_back("sound: " + line); };
  listeners.join(speech);
  listeners.join(sound);
  listeners.report(events::AnswerJudged{true});
  listeners.report(events::TimeOut{});
  EXPECT_EQ(order, (Lines{"speech: right", "sound: right", "speech: time out", "sound: time out"}));
}

TEST(Events, AGameWithoutAQuestionBaseTellsNothing) {
  Harness h("");
  Timeline t(h);
  h.game.newGame(0);
  h.game.passQuestion();
  h.game.checkAnswer("a0");
  EXPECT_EQ(t.take().size(), 1u) << "only the message box that says why";
}

}  // namespace
}  // namespace kelmora
