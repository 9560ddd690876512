// Money over whole games: what each way of stopping pays, the bank across ladder cycles, and
// the prize the gong game plays for after a loss in each round.
#include <gtest/gtest.h>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::Harness;
using Lines = std::vector<std::string>;

constexpr auto kTake = RoundWonChoice::TakeMoney;
constexpr auto kGoOn = RoundWonChoice::GoOn;

void clearRound(Harness& h, int r) {
  for (int i = 0; i < r; ++i)
    h.answerRight();
}

std::string lastLogLine(const Harness& h) {
  return h.logSinceStart().back();
}

// The payout as the player meets it: the log line, the message and the records table.
void expectPaid(Harness& h, int payout) {
  EXPECT_EQ(lastLogLine(h), "Выигрыш - " + std::to_string(payout));
  const Lines shown = h.takeShown();
  const std::string message =
      "message: Ваш выигрыш составил: " + std::to_string(payout) + " рублей!";
  EXPECT_NE(std::find(shown.begin(), shown.end(), message), shown.end()) << message;
  EXPECT_EQ(h.prompts.records.entries[0].winnings, payout);
  EXPECT_FALSE(h.game.running());
  EXPECT_EQ(h.game.state().bank, 0);
}

TEST(Payout, TakingTheMoneyAfterEachRoundPaysThatRoundsPrize) {
  const struct {
    int round;
    int paid;  // a wrong figure here is a wrong prize in the player's pocket
  } cases[] = {{1, 1000}, {2, 2500}, {3, 5000}, {4, 15000}, {5, 50000}};
  for (const auto& c : cases) {
    SCOPED_TRACE("money taken after round " + std::to_string(c.round));
    Harness h;
    for (int r = 1; r < c.round; ++r)
      h.prompts.choices.push_back(kGoOn);
    h.prompts.choices.push_back(kTake);
    h.game.newGame(0);
    for (int r = 1; r <= c.round; ++r)
      clearRound(h, r);
    EXPECT_EQ(h.timers.clockStarts, c.round) << "no round may start after the money is taken";
    expectPaid(h, c.paid);
  }
}

TEST(Payout, TheBankGrowsByFiftyThousandWithEveryLadderCycle) {
  const struct {
    const char* what;
    int cycles;     // whole ladders cleared, going on after each
    int thenRound;  // rounds cleared in the next cycle before the money is taken (0: none)
    Lines banks;    // the bank box each time round 5 is cleared
    int paid;
  } cases[] = {
      {"two cycles, money taken after the second round 5", 2, 0, {"50000", "100000"}, 100000},
      {"three cycles", 3, 0, {"50000", "100000", "150000"}, 150000},
      {"two cycles, then round 2 of the third", 2, 2, {"50000", "100000"}, 102500},
      {"one cycle, then round 4 of the second", 1, 4, {"50000"}, 65000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Harness h;
    Lines banks;
    h.prompts.observe = [&](const std::string& line) {
      if (line.starts_with("round won") && h.game.state().round == 5)
        banks.push_back(h.game.screen().bank.caption);
    };
    const int rounds = c.cycles * 5 + c.thenRound;
    h.prompts.chooser = [&, seen = 0]() mutable { return ++seen == rounds ? kTake : kGoOn; };
    h.game.newGame(0);
    for (int cycle = 0; cycle < c.cycles; ++cycle) {
      for (int r = 1; r <= 5; ++r)
        clearRound(h, r);
      EXPECT_EQ(h.game.running(), cycle + 1 < c.cycles || c.thenRound > 0);
    }
    for (int r = 1; r <= c.thenRound; ++r)
      clearRound(h, r);
    EXPECT_EQ(banks, c.banks);
    expectPaid(h, c.paid);
  }
}

TEST(Payout, APayoutBelowTheBestTakesItsPlaceInTheRecordsTable) {
  Harness h;
  // Places 1 and 2 hold 5000 and 1000; the rest 0.
  std::string table(RecordsTable::kFileSize, '\0');
  const auto put = [&](std::size_t place, std::uint32_t winnings) {
    for (std::size_t b = 0; b < 4; ++b)
      table[place * RecordEntry::kSize + 32 + b] = static_cast<char>(winnings >> (8 * b));
  };
  put(0, 5000);
  put(1, 1000);
  h.dir.write("res.res", table);
  h.prompts.choices = {kTake};
  h.game.newGame(0);
  clearRound(h, 1);
  const Lines shown = h.takeShown();
  EXPECT_EQ(Lines(shown.end() - 2, shown.end()),
            (Lines{"message: Вы попали на 2 место в таблице рекордов!", "records"}));
  const auto& entries = readRecords(h.dir.path()).entries;
  EXPECT_EQ(entries[0].winnings, 5000);
  EXPECT_EQ(entries[1].winnings, 1000);
  EXPECT_EQ(entries[1].name.str(), test::cp("Игрок"));
  EXPECT_EQ(entries[2].winnings, 1000);
  EXPECT_EQ(entries[2].name.str(), "");
}

// After a loss in round r the gong game plays for the prize of round r - 1: its step, the
// number of values per column and the ladder label that shows what is at stake.
TEST(GongPrize, EachLostRoundPlaysForThePreviousRoundsPrize) {
  const struct {
    int lost;
    int prize;
    int stepRange;  // the n of the step's draw
    int minStep, maxStep;
    int valuesAtMinStep, valuesAtMaxStep;
  } cases[] = {
      {2, 1000, 100, 50, 149, 21, 7},
      {3, 2500, 200, 100, 299, 26, 9},
      {4, 5000, 400, 200, 599, 26, 9},
      {5, 15000, 1000, 1000, 1999, 16, 8},
  };
  for (const auto& c : cases) {
    for (const bool smallest : {true, false}) {
      SCOPED_TRACE("lost in round " + std::to_string(c.lost) +
                   (smallest ? ", least" : ", largest") + " step");
      Harness h;
      h.game.newGame(0);
      for (int r = 1; r < c.lost; ++r)
        clearRound(h, r);
      h.random.ranges.clear();
      // The step, then column 1 as the right one.
      h.random.script = {smallest ? 0 : c.stepRange - 1, 0};
      h.answerWrong();
      h.takeShown();
      const int values = smallest ? c.valuesAtMinStep : c.valuesAtMaxStep;
      ASSERT_GE(h.random.ranges.size(), 2u);
      EXPECT_EQ(h.random.ranges[0], c.stepRange);
      EXPECT_EQ(h.random.ranges[1], 3);
      const Lines log = h.logSinceStart();
      EXPECT_NE(std::find(log.begin(), log.end(), "STR = " + std::to_string(values)), log.end());
      const Screen& s = h.game.screen();
      for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(s.ladder[static_cast<std::size_t>(r - 1)].enabled, r == c.lost - 1) << r;

      // The right column shows the step's multiples and ends on the prize, which is then won.
      h.game.chooseGongColumn(1);
      const int step = smallest ? c.minStep : c.maxStep;
      for (int k = 1; k < values; ++k) {
        h.game.gongTick();
        EXPECT_EQ(s.gongValue.text, std::to_string(std::min(k * step, c.prize))) << k;
      }
      h.game.gongTick();
      EXPECT_EQ(h.takeShown().front(), "message: Вы отыграли максимальную сумму!");
      EXPECT_EQ(lastLogLine(h), "Выигрыш - " + std::to_string(c.prize));
    }
  }
}

TEST(GongPrize, StopPaysTheValueOnShowNotThePrize) {
  const struct {
    int ticks;
    int paid;
  } cases[] = {{0, 0}, {1, 50}, {5, 250}, {19, 950}, {20, 1000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.ticks) + " ticks");
    Harness h;
    h.game.newGame(0);
    clearRound(h, 1);
    h.random.script = {0, 0, 0, 0};  // step 50, column 1 right
    h.answerWrong();
    h.game.chooseGongColumn(1);
    for (int i = 0; i < c.ticks; ++i)
      h.game.gongTick();
    h.takeShown();
    h.game.stopGong();
    EXPECT_EQ(h.takeShown().front(),
              "message: Вы смогли отыграть: " + std::to_string(c.paid) + " рублей.");
    EXPECT_EQ(lastLogLine(h), "Выигрыш - " + std::to_string(c.paid));
  }
}

}  // namespace
}  // namespace kelmora
