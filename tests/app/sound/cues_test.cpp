// What a player hears of whole games: the cue of each event, through a fake player of cues.
#include "app/sound/cues.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "engine/engine_harness.h"

namespace kelmora::sound {
namespace {

using test::Harness;
using Heard = std::vector<std::string>;

class FakeCuePlayer : public CuePlayer {
 public:
  Heard heard;
  void play(Cue cue) override { heard.emplace_back(fileName(cue)); }
};

// A game whose events go both to the harness's recorder and to the cues.
struct Listening {
  explicit Listening(Harness& h) : listener(player) {
    h.events.observe = [this, &h](const std::string&) { listener.report(h.events.all.back()); };
  }
  Heard take() { return std::exchange(player.heard, {}); }
  FakeCuePlayer player;
  CueListener listener;
};

TEST(Cues, ARightAnswerALossIntoTheGongGameAndARecord) {
  Harness h;
  Listening l(h);
  h.prompts.choices = {RoundWonChoice::GoOn};
  h.game.newGame(0);
  h.answerRight();
  EXPECT_EQ(l.take(), (Heard{"round-won.wav"})) << "the answer that clears a round: one cue";
  h.answerRight();
  EXPECT_EQ(l.take(), (Heard{"right.wav"}));
  h.random.script = {50, 0, 2, 5};
  h.answerWrong();
  h.game.chooseGongColumn(1);
  h.game.gongTick();
  h.game.gongTick();
  h.game.stopGong();
  EXPECT_EQ(l.take(), (Heard{"wrong.wav", "gong-game.wav", "gong-value.wav", "gong-value.wav",
                             "record.wav"}));
}

TEST(Cues, TheClockWarnsTwiceThenRunsOut) {
  Harness h;
  Listening l(h);
  h.game.newGame(0);
  h.ticks(211);
  EXPECT_EQ(l.take(), (Heard{"clock-red.wav"}));
  h.ticks(28);
  EXPECT_EQ(l.take(), (Heard{"last-ten.wav"}));
  h.ticks(1);
  EXPECT_EQ(l.take(), (Heard{"time-out.wav", "record.wav"}))
      << "time out is the loss; a payout of 0 still takes a place";
}

TEST(Cues, TheGongStruckAndTheMaximumWonBack) {
  for (const auto& [column, ticks, ending] :
       {std::tuple{2, 8, Heard{"gong.wav"}},
        std::tuple{1, 12, Heard{"gong-value.wav", "maximum.wav"}}}) {
    Harness h;
    Listening l(h);
    h.game.newGame(0);
    h.answerRight();
    h.random.script = {50, 0, 2, 5};
    h.answerWrong();
    l.take();
    h.game.chooseGongColumn(column);
    for (int i = 0; i < ticks; ++i)
      h.game.gongTick();
    h.game.stopGong();
    Heard heard = l.take();
    ASSERT_GE(heard.size(), ending.size() + 1) << "column " << column;
    EXPECT_EQ(Heard(heard.end() - static_cast<long>(ending.size()) - 1, heard.end() - 1), ending)
        << "column " << column;
    EXPECT_EQ(heard.back(), "record.wav");
  }
}

TEST(Cues, SoundOffHearsNothingAndOnAgainFollowsTheRound) {
  Harness h;
  Listening l(h);
  l.listener.setEnabled(false);
  h.prompts.choices = {RoundWonChoice::GoOn};
  h.game.newGame(0);
  h.answerRight();
  h.answerRight();
  h.ticks(211);
  EXPECT_TRUE(l.take().empty());
  l.listener.setEnabled(true);
  h.answerRight();
  EXPECT_EQ(l.take(), (Heard{"round-won.wav"}))
      << "the round's last answer, known though it was counted in silence";
}

TEST(Cues, EveryCueHasAFileOfItsOwn) {
  std::set<std::string_view> names;
  for (Cue cue : kAllCues)
    EXPECT_TRUE(names.insert(fileName(cue)).second) << fileName(cue);
  EXPECT_EQ(names.size(), std::size(kAllCues));
}

}  // namespace
}  // namespace kelmora::sound
