// Thousands of games played by a random player, with the game's invariants checked after
// every step: the kind of test that finds the sequence nobody thought to write down.
#include <gtest/gtest.h>

#include <set>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::Harness;

// Saving the records after every game costs a disk flush; memory-backed storage keeps ten
// thousand of them quick.
std::filesystem::path fastDirectory() {
  std::error_code ec;
  return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                       : std::filesystem::temp_directory_path();
}

class RandomPlayer {
 public:
  explicit RandomPlayer(unsigned seed) : gen_(seed) {}
  int percent() { return std::uniform_int_distribution<int>(0, 99)(gen_); }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }

  // One thing a player can do in a running game.
  void act(Harness& h) {
    const Screen& s = h.game.screen();
    const auto phase = h.game.gong().phase;
    if (phase == GongGame::Phase::Dealt) {
      h.game.chooseGongColumn(pick(3) + 1);
    } else if (phase == GongGame::Phase::Running) {
      if (percent() < 10) {
        h.game.stopGong();
      } else {
        h.game.gongTick();
      }
    } else if (const int p = percent(); p < 45) {
      h.answerRight();
    } else if (p < 47) {
      h.answerWrong();
    } else if (p < 53 && s.passEnabled) {
      h.game.passQuestion();
    } else if (p < 59 && s.replaceEnabled) {
      h.game.replaceQuestion();
    } else {
      h.game.clockTick();
    }
  }

 private:
  std::mt19937 gen_;
};

TEST(Soak, TenThousandRandomGamesKeepEveryInvariant) {
  Harness h(30, {10, 5, 0, 2}, fastDirectory());
  h.random.generator.emplace(20261207);
  RandomPlayer player(42);
  h.prompts.chooser = [&] {
    return player.percent() < 80 ? RoundWonChoice::GoOn : RoundWonChoice::TakeMoney;
  };
  int payouts = 0;
  h.prompts.observe = [&](const std::string& line) {
    if (!line.starts_with("message: Ваш выигрыш составил: ")) return;
    ++payouts;
    const GameState& st = h.game.state();
    ASSERT_EQ(st.payout, st.bank + st.stake);
    ASSERT_EQ(line, "message: Ваш выигрыш составил: " + std::to_string(st.payout) + " рублей!");
  };

  std::optional<Screen> idle;
  const std::string payoutLine = toCp1251("Выигрыш - ");
  for (int game = 0; game < 10000; ++game) {
    const std::size_t logStart = h.log.lines().size();
    const int payoutsBefore = payouts;
    h.game.newGame(player.pick(4));
    for (int step = 0; !h.game.screen().newGameEnabled; ++step) {
      ASSERT_LT(step, 100000) << "game " << game << " never ends";
      player.act(h);
      const auto& used = h.game.state().usedMain;
      std::set<int> distinct(used.numbers.begin(), used.numbers.begin() + used.count);
      ASSERT_EQ(distinct.size(), static_cast<std::size_t>(used.count)) << "game " << game;
    }
    int endings = 0;
    for (std::size_t i = logStart; i < h.log.lines().size(); ++i) {
      endings += h.log.lines()[i].starts_with(payoutLine);
    }
    ASSERT_EQ(endings, 1) << "game " << game;
    ASSERT_EQ(payouts, payoutsBefore + 1) << "game " << game;
    ASSERT_FALSE(h.timers.clock);
    ASSERT_FALSE(h.timers.ticker);
    const Screen now = test::visiblePart(h.game.screen());
    if (!idle) idle = now;
    ASSERT_EQ(now, *idle) << "game " << game;
  }
  EXPECT_TRUE(h.prompts.shown.size() > 10000u);
}

}  // namespace
}  // namespace kelmora
