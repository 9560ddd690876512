// Every way a game can end, played whole, with the exact log and the exact windows shown.
#include <gtest/gtest.h>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::cp;
using test::Harness;
using Lines = std::vector<std::string>;

constexpr auto kTake = RoundWonChoice::TakeMoney;
constexpr auto kGoOn = RoundWonChoice::GoOn;

// The main window once a game has ended, apart from the gong box, which sits out of view.
Screen idleAfterGame() {
  Screen s = initialScreen();
  s.caption = cp("Кельмора... [Игрок]");
  s.statusPanels[0] = cp("Вопросов в базе: 30");
  s.topicNames = {cp("История"), cp("Спорт")};
  for (auto& v : s.questionCircles)
    v = {kNavy, false, false};
  s.questionLines = {"", cp("  Для того, чтобы начать игру жмите \"F2\"")};
  s.gongBoxVisible = false;
  s.gongPlace = Screen::GongPlace::PutAway;
  return s;
}

// Plays round r: r right answers.
void clearRound(Harness& h, int r) {
  for (int i = 0; i < r; ++i)
    h.answerRight();
}

TEST(GameEndings, TakingTheMoneyAfterRoundOnePaysItsPrize) {
  Harness h;
  h.prompts.choices = {kTake};
  h.game.newGame(0);
  EXPECT_EQ(h.game.screen().questionLines, Lines{"Q0"});
  EXPECT_TRUE(h.timers.clock);
  h.ticks(7);
  h.answerRight();
  EXPECT_EQ(h.logSinceStart(), (Lines{"--------------------------[Новая игра]",
                                      "Тема замен: [История]", "[Вопрос] - 0(0) [Ответ] - a0",
                                      "Время тура - 7", "[Забрать деньги]", "Выигрыш - 1000"}));
  EXPECT_EQ(h.takeShown(), (Lines{"round won: 7", "message: Ваш выигрыш составил: 1000 рублей!",
                                  "message: Вы попали на 1 место в таблице рекордов!", "records"}));
  EXPECT_EQ(h.prompts.records.entries[0].name.str(), cp("Игрок"));
  EXPECT_EQ(h.prompts.records.entries[0].date.str(), "07.12.26");
  EXPECT_EQ(h.prompts.records.entries[0].winnings, 1000);
  EXPECT_FALSE(h.timers.clock);
  EXPECT_EQ(test::visiblePart(h.game.screen()), idleAfterGame());
}

TEST(GameEndings, ClearingRoundFiveBanksFiftyThousandAndTakingItStartsNoRound) {
  Harness h;
  h.prompts.choices = {kGoOn, kGoOn, kGoOn, kGoOn, kTake};
  std::string bankWhenAsked;
  h.prompts.observe = [&](const std::string& line) {
    if (line.starts_with("round won")) bankWhenAsked = h.game.screen().bank.caption;
  };
  h.game.newGame(0);
  for (int r = 1; r <= 5; ++r)
    clearRound(h, r);
  EXPECT_EQ(bankWhenAsked, "50000");
  const Lines log = h.logSinceStart();
  EXPECT_EQ(Lines(log.end() - 4, log.end()), (Lines{"[Выигрыш 50.000!!!!!!!!]", "Время тура - 0",
                                                    "[Забрать деньги]", "Выигрыш - 50000"}));
  EXPECT_EQ(h.timers.clockStarts, 5);
  EXPECT_FALSE(h.timers.clock);
  EXPECT_EQ(test::visiblePart(h.game.screen()), idleAfterGame());
}

TEST(GameEndings, GoingOnAfterRoundFiveThenLosingPaysTheBankPlusTheGongGame) {
  Harness h;
  h.prompts.choices = {kGoOn, kGoOn, kGoOn, kGoOn, kGoOn, kGoOn, kGoOn};
  h.game.newGame(0);
  for (int r = 1; r <= 5; ++r)
    clearRound(h, r);

  const Screen& s = h.game.screen();
  EXPECT_EQ(s.timeLeft.caption, "4:00");
  EXPECT_FALSE(s.timeLeft.enabled);
  EXPECT_TRUE(s.replaceEnabled);
  for (const auto& z : s.replacementCircles)
    EXPECT_EQ(z, (Circle{kNavy, true, false}));
  EXPECT_EQ(h.game.state().usedMain.count, 1);
  EXPECT_EQ(s.ladder[4].caption, cp("5. Раунд:    50000+"));
  EXPECT_EQ(s.ladder[0].caption, cp("1. Раунд:      1000+"));
  EXPECT_TRUE(s.ladder[0].enabled);
  EXPECT_EQ(h.game.state().stake, 1000);

  clearRound(h, 1);
  EXPECT_EQ(s.ladder[0].caption, cp("1. Раунд:      1000++"));
  clearRound(h, 2);
  h.answerRight();  // one of round 3's three

  h.random.script = {150, 0, 2, 5};  // step 250; right column 1; gongs at 6 and 9
  h.takeShown();
  h.answerWrong();
  EXPECT_EQ(s.ladder[2].enabled, false);
  EXPECT_EQ(s.ladder[1].enabled, true);
  h.game.chooseGongColumn(1);
  for (int i = 0; i < 11; ++i)
    h.game.gongTick();

  const Lines log = h.logSinceStart();
  EXPECT_EQ(Lines(log.end() - 9, log.end()),
            (Lines{"[Вопрос] - 19(0) [Ответ] - wrong", "-------------------------------[error]",
                   "[Гонг-игра]", "STR = 11", "Верно - 1", "Вариант(2) - 6", "Вариант(3) - 9",
                   "Выбор - 1", "Выигрыш - 52500"}));
  EXPECT_EQ(h.takeShown(),
            (Lines{"message: Игрок вы проиграли! Но еще не все потеряно! Гонг-Игра впереди...",
                   "message: Вы отыграли максимальную сумму!",
                   "message: Ваш выигрыш составил: 52500 рублей!",
                   "message: Вы попали на 1 место в таблице рекордов!", "records"}));
  EXPECT_EQ(test::visiblePart(h.game.screen()), test::visiblePart(idleAfterGame()));
}

TEST(GameEndings, TimeOutOnTheLastTickLosesTheGame) {
  Harness h;
  h.game.newGame(0);
  h.ticks(239);
  EXPECT_EQ(h.game.screen().timeLeft.caption, "0:01");
  EXPECT_TRUE(h.logSinceStart().size() == 2);
  h.game.clockTick();
  EXPECT_EQ(h.logSinceStart(),
            (Lines{"--------------------------[Новая игра]", "Тема замен: [История]",
                   "-----------------------[Закончилось время]",
                   "-------------------------------[error]", "[Гонг-игра]", "Выигрыш - 0"}));
  EXPECT_EQ(h.takeShown(),
            (Lines{"message: У вас закончилось время!",
                   "message: Игрок вы проиграли! Но еще не все потеряно! Гонг-Игра впереди...",
                   "message: У вас \"0\" !", "message: Ваш выигрыш составил: 0 рублей!",
                   "message: Вы попали на 1 место в таблице рекордов!", "records"}));
  EXPECT_FALSE(h.timers.clock);
}

TEST(GameEndings, ALossInRoundOneDealsNothing) {
  Harness h;
  std::vector<Circle> atLoss;
  std::string answerAtLoss;
  h.prompts.observe = [&](const std::string& line) {
    if (line.find("проиграли") == std::string::npos) return;
    atLoss.assign(h.game.screen().questionCircles.begin(), h.game.screen().questionCircles.end());
    answerAtLoss = h.game.screen().answerBox.text;
  };
  h.game.newGame(1);
  h.game.checkAnswer(cp("Не Знаю!"));
  EXPECT_EQ(atLoss[0], (Circle{kRed, true, false}));
  EXPECT_EQ(answerAtLoss, cp("незнаю"));
  EXPECT_EQ(h.logSinceStart(),
            (Lines{"--------------------------[Новая игра]", "Тема замен: [Спорт]",
                   "[Вопрос] - 0(0) [Ответ] - Не Знаю!", "-------------------------------[error]",
                   "[Гонг-игра]", "Выигрыш - 0"}));
  EXPECT_EQ(h.random.ranges, std::vector<int>{30});
}

struct GongCase {
  const char* name;
  std::deque<int> deal;  // step, right column, first gong, second gong
  int column;
  int ticks;  // -1: press "СТОП" at once
  Lines tail;
  std::string ending;
};

class GongEndings : public ::testing::TestWithParam<GongCase> {};

TEST_P(GongEndings, EndInExactlyOnePayout) {
  const auto& c = GetParam();
  Harness h;
  h.game.newGame(0);
  clearRound(h, 1);
  h.random.script = c.deal;
  h.answerWrong();
  h.takeShown();
  h.game.chooseGongColumn(c.column);
  EXPECT_TRUE(h.timers.ticker);
  EXPECT_EQ(h.timers.interval, 2000);
  if (c.ticks < 0) {
    h.game.stopGong();
  } else {
    for (int i = 0; i < c.ticks; ++i)
      h.game.gongTick();
  }
  EXPECT_FALSE(h.timers.ticker);
  const Lines log = h.logSinceStart();
  EXPECT_EQ(Lines(log.end() - static_cast<long>(c.tail.size()), log.end()), c.tail);
  EXPECT_EQ(h.takeShown().front(), c.ending);

  // A finished gong game ignores its controls and late ticks.
  const auto lines = h.log.lines().size();
  h.game.stopGong();
  h.game.gongTick();
  h.game.chooseGongColumn(1);
  h.game.clockTick();
  EXPECT_EQ(h.log.lines().size(), lines);
  EXPECT_TRUE(h.takeShown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Gong, GongEndings,
    ::testing::Values(
        GongCase{"StopBeforeTheFirstTick",
                 {0, 0, 0, 0},
                 2,
                 -1,
                 {"Выбор - 2", "Стоп [0] [0]", "Выигрыш - 0"},
                 "message: Вы смогли отыграть: 0 рублей."},
        // Step 50 divides the prize: the column ends 950, 1000, 1000.
        GongCase{"TickerToTheEndOfTheRightColumn",
                 {0, 1, 0, 0},
                 2,
                 21,
                 {"STR = 21", "Верно - 2", "Вариант(1) - 4", "Вариант(3) - 4", "Выбор - 2",
                  "Выигрыш - 1000"},
                 "message: Вы отыграли максимальную сумму!"},
        GongCase{"TickerIntoAGong",
                 {0, 1, 0, 5},
                 3,
                 9,
                 {"Вариант(3) - 9", "Выбор - 3", "Выигрыш - 0"},
                 "message: ГОНГ !!! Вы ничего не смогли отыграть!"},
        // Step 143 leaves six multiples; randomIndex(4) = 3 puts the gong on the seventh value.
        GongCase{"AGongInTheLastElement",
                 {93, 2, 3, 0},
                 2,
                 7,
                 {"STR = 7", "Верно - 3", "Вариант(2) - 7", "Вариант(1) - 4", "Выбор - 2",
                  "Выигрыш - 0"},
                 "message: ГОНГ !!! Вы ничего не смогли отыграть!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GameEndings, StoppingTheTickerKeepsTheValueOnShow) {
  Harness h;
  h.game.newGame(0);
  clearRound(h, 1);
  h.random.script = {0, 0, 0, 0, 3, 0};  // step 50; then intervals 2500 and 1000
  h.answerWrong();
  h.game.chooseGongColumn(1);
  h.game.gongTick();
  EXPECT_EQ(h.timers.interval, 2500);
  h.game.gongTick();
  EXPECT_EQ(h.timers.interval, 1000);
  EXPECT_EQ(h.game.screen().gongValue.text, "100");
  h.game.stopGong();
  EXPECT_EQ(h.log.lines()[h.log.lines().size() - 2], cp("Стоп [100] [2]"));
  EXPECT_EQ(h.game.state().payout, 100);
}

TEST(GameEndings, AFailingRecordsFileTakesTheErrorPath) {
  Harness h;
  std::filesystem::remove(h.dir / "res.res");
  h.prompts.choices = {kTake};
  h.game.newGame(0);
  clearRound(h, 1);
  EXPECT_EQ(h.takeShown(), (Lines{"round won: 0", "message: Ваш выигрыш составил: 1000 рублей!",
                                  "error: File not found"}));
  EXPECT_FALSE(h.dir.exists("res.res"));
  EXPECT_EQ(test::visiblePart(h.game.screen()), idleAfterGame());
  h.game.newGame(0);  // the next game starts afresh
  EXPECT_EQ(h.game.state().bank, 0);
  EXPECT_EQ(h.game.state().stake, 1000);
  EXPECT_EQ(h.game.state().usedMain.count, 1);
}

}  // namespace
}  // namespace kelmora

namespace kelmora {
namespace {

// A player must never be told of a place that was not stored. The file is write-protected by
// its owner, which holds for root too.
TEST(GameEndings, ARecordThatCannotBeSavedIsNotAnnounced) {
  test::Harness h;
  h.prompts.choices = {RoundWonChoice::TakeMoney};
  std::filesystem::permissions(h.dir.path() / "res.res", std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::group_read |
                                                             std::filesystem::perms::others_read);
  h.game.newGame(0);
  h.answerRight();
  EXPECT_EQ(h.takeShown(), (std::vector<std::string>{"round won: 0",
                                                     "message: Ваш выигрыш составил: 1000 рублей!",
                                                     "error: Cannot create file res.res"}));
  for (const auto& e : h.events.all)
    EXPECT_FALSE(std::holds_alternative<events::RecordPlaced>(e)) << describe(e);
  EXPECT_EQ(h.dir.read("res.res"), std::string(RecordsTable::kFileSize, '\0'));
}

}  // namespace
}  // namespace kelmora
