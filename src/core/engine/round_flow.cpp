// The spine of a game: new game, rounds, right answers, passes, replacements, the round-won
// dialog, the loss and the end with its payout.
#include <array>

#include "core/engine/game.h"
#include "core/files/file_error.h"
#include "core/text/cp1251.h"

namespace kelmora {

namespace {

constexpr int kReplacements = 3;
constexpr int kRoundFiveBonus = 50000;
// What is at stake while round r is played; round 5 credits its prize to the bank instead.
constexpr std::array<int, 6> kStake = {0, 1000, 2500, 5000, 15000, 0};
// What clearing round r is worth, as the ladder shows it.
constexpr std::array<int, 6> kPrize = {0, 1000, 2500, 5000, 15000, 50000};
using Phase = GameState::Phase;

std::string str(std::string_view cpText) {
  return std::string(cpText);
}

}  // namespace

Game::Game(std::filesystem::path dir, GameLog& log, Ports ports)
    : dir_(std::move(dir)),
      log_(log),
      random_(ports.random),
      timers_(ports.timers),
      prompts_(ports.prompts),
      calendar_(ports.calendar),
      events_(ports.events) {}

void Game::handle(const std::function<void()>& step) {
  try {
    step();
  } catch (const FileError& e) {
    prompts_.showError(e.what());
  }
}

void Game::startClock() {
  state_.clockRunning = true;
  timers_.startClock();
}

void Game::stopClock() {
  state_.clockRunning = false;
  timers_.stopClock();
}

void Game::showDisplays() {
  screen_.questionSeconds.caption = std::to_string(state_.questionSeconds);
  screen_.roundSeconds.caption = std::to_string(state_.roundSeconds);
  screen_.timeLeft.caption = clockText(state_.secondsLeft);
}

void Game::newGame(int topic) {
  handle([&] {
    if (state_.phase != Phase::NoGame) return;
    if (mainBase_.questionCount == 0) {
      // Nothing could be drawn: say why instead of starting a game with an empty box.
      message(noQuestionsMessage());
      return;
    }
    const bool known = topic >= 0 && topic < static_cast<int>(topics_.topics.size());
    topicName_ = known ? topics_.topics[static_cast<std::size_t>(topic)].name : std::string();

    appendLog(str("--------------------------[Новая игра]"_cp));
    appendLog(str("Тема замен: ["_cp) + topicName_ + "]");
    report(events::GameStarted{topicName_});
    screen_.newGameEnabled = false;
    state_.ladderStep = 0;
    state_.replacementsLeft = kReplacements;
    hideGameCircles();
    setPlayControls(true);
    for (auto& z : screen_.replacementCircles)
      z.visible = true;
    screen_.topicCaption = str("Тема замен:"_cp);
    loadTopicQuestions(topics_, topic, replacementBase_);
    updateReplaceButton();
    completeRound();
    screen_.statusPanels[1] = str("Замен на тему ["_cp) + topicName_ + str("] в базе: "_cp) +
                              std::to_string(replacementBase_.questionCount);
  });
}

void Game::completeRound() {
  state_.passesUsed = 0;
  screen_.passEnabled = true;
  state_.correctInRound = 0;
  ++state_.ladderStep;

  if (state_.ladderStep == 6) {
    screen_.timeLeft.enabled = false;
    appendLog(str("[Выигрыш 50.000!!!!!!!!]"_cp));
    stopClock();
    state_.ladderStep = 1;
    screen_.ladder[4].enabled = false;
    markCleared(5);
    state_.bank += kRoundFiveBonus;
    screen_.bank.caption = std::to_string(state_.bank);
    report(events::RoundWon{5, kPrize[5], state_.roundSeconds, state_.bank});
    showRoundWonDialog(state_.roundSeconds);
    if (state_.phase == Phase::NoGame) return;  // the money was taken in the dialog
    restartLadder();
  }

  const int r = state_.ladderStep;
  const int seconds = state_.roundSeconds;
  stopClock();
  state_.roundSeconds = 0;
  if (r == 1) {
    screen_.roundSeconds.caption = "0";
    startRound(1);
    state_.stake = kStake[1];
    return;
  }
  report(events::RoundWon{r - 1, kPrize[static_cast<std::size_t>(r - 1)], seconds, state_.bank});
  // The dialog shows the seconds the cleared round took, so "second" is reset only after it.
  showRoundWonDialog(seconds);
  screen_.roundSeconds.caption = "0";
  if (state_.phase == Phase::NoGame) return;
  startRound(r);
  state_.stake = kStake[static_cast<std::size_t>(r)];
}

void Game::restartLadder() {
  screen_.roundSeconds.caption = "0";
  screen_.timeLeft.caption = clockText(GameState::kFullTime);
  state_.secondsLeft = GameState::kFullTime;
  state_.questionSeconds = 0;
  state_.roundSeconds = 0;
  state_.replacementsLeft = kReplacements;
  for (auto& z : screen_.replacementCircles)
    z.colour = kNavy;
  state_.usedMain.clear();
  state_.usedReplacement.clear();
  updateReplaceButton();
}

void Game::showRoundWonDialog(int seconds) {
  appendLog(str("Время тура - "_cp) + std::to_string(seconds));
  state_.phase = Phase::RoundWon;
  if (prompts_.roundWon(std::to_string(seconds)) == RoundWonChoice::TakeMoney) {
    takeMoney();
  } else {
    state_.phase = Phase::Playing;
  }
}

void Game::takeMoney() {
  appendLog(str("[Забрать деньги]"_cp));
  report(events::MoneyTaken{state_.bank + state_.stake});
  endGame();
}

void Game::markCleared(int round) {
  const auto i = static_cast<std::size_t>(round - 1);
  ++state_.timesCleared[i];
  screen_.ladder[i].caption = ladderCaption(round) + std::string(state_.timesCleared[i], '+');
}

void Game::startRound(int r) {
  startClock();
  state_.passesLeft = 5 - r;
  if (state_.passesLeft == 0) screen_.passEnabled = false;
  state_.round = r;
  screen_.ladder[static_cast<std::size_t>(r - 1)].enabled = true;
  if (r >= 2) {
    screen_.ladder[static_cast<std::size_t>(r - 2)].enabled = false;
    markCleared(r - 1);
  }
  resetQuestionCircles(r);
  drawQuestion(true);
}

void Game::resetQuestionCircles(int r) {
  for (auto& v : screen_.questionCircles) {
    v.visible = true;
    v.colour = kNavy;
  }
  for (int k = 0; k < r; ++k)
    screen_.questionCircles[static_cast<std::size_t>(k)].letterVisible = true;
}

void Game::hideGameCircles() {
  for (auto& v : screen_.questionCircles)
    v.visible = v.letterVisible = false;
  for (auto& z : screen_.replacementCircles)
    z.visible = false;
}

void Game::setPlayControls(bool on) {
  state_.phase = on ? Phase::Playing : Phase::NoGame;
  screen_.bank.enabled = on;
  screen_.questionSeconds.enabled = on;
  screen_.questionBoxEnabled = on;
  screen_.warningVisible = !on;
  screen_.passEnabled = on;
  screen_.topicSelectorEnabled = !on;
  screen_.topicSelectorColour = on ? FieldColour::ButtonFace : FieldColour::Window;
  screen_.replaceEnabled = on;
  screen_.answerBox.enabled = on;
}

// A replacement needs one left and a question of the topic not yet asked in this cycle, so a
// small or empty topic never leaves the button offering nothing.
bool Game::canReplace() const {
  return state_.replacementsLeft > 0 &&
         state_.usedReplacement.count < replacementBase_.questionCount;
}

void Game::updateReplaceButton() {
  screen_.replaceEnabled = canReplace();
}

void Game::acceptRightAnswer() {
  ++state_.correctInRound;
  state_.questionSeconds = 0;
  screen_.questionSeconds.caption = "0";
  const auto done = static_cast<std::size_t>(state_.correctInRound - 1);
  screen_.questionCircles[done].colour = kGreen;
  screen_.questionCircles[done].letterVisible = false;
  screen_.answerBox.set("");
  if (state_.correctInRound == state_.round) {
    completeRound();
  } else {
    drawQuestion(true);
  }
}

void Game::passQuestion() {
  handle([&] {
    if (!running() || state_.passesLeft == 0) return;
    appendLog(str("[ПАС]"_cp));
    ++state_.passesUsed;
    if (state_.passesLeft > 0) {
      report(events::Passed{state_.passesLeft - 1});
      drawQuestion(true, events::Why::AfterPass);
      screen_.questionCircles[static_cast<std::size_t>(5 - state_.passesUsed)].colour = kWhite;
      --state_.passesLeft;
    }
    if (state_.passesLeft == 0) screen_.passEnabled = false;
    state_.questionSeconds = 0;
    screen_.questionSeconds.caption = "0";
  });
}

void Game::replaceQuestion() {
  handle([&] {
    if (!running() || !canReplace()) return;
    appendLog(str("[Замена]"_cp));
    --state_.replacementsLeft;
    const auto used = static_cast<std::size_t>(2 - state_.replacementsLeft);
    screen_.replacementCircles[used].colour = kWhite;
    report(events::Replaced{state_.replacementsLeft});
    drawQuestion(false, events::Why::Replacement);
    updateReplaceButton();
  });
}

void Game::loseGame() {
  state_.phase = Phase::Gong;
  const auto lost = static_cast<std::size_t>(state_.correctInRound);
  screen_.questionCircles[lost].colour = kRed;
  screen_.questionCircles[lost].letterVisible = false;
  screen_.questionBoxEnabled = false;
  screen_.answerBox.enabled = false;
  screen_.replaceEnabled = false;
  screen_.passEnabled = false;
  screen_.questionSeconds.caption = "0";
  screen_.roundSeconds.caption = "0";
  screen_.timeLeft.caption = clockText(GameState::kFullTime);
  stopClock();
  appendLog(str("-------------------------------[error]"_cp));
  message(player_ + str(" вы проиграли! Но еще не все потеряно! Гонг-Игра впереди..."_cp));
  startGongGame();
}

void Game::endGame() {
  // From here on no gong control and no late tick may touch this game again.
  endGongGame();
  screen_.timeLeft.enabled = false;
  state_.usedMain.clear();
  state_.usedReplacement.clear();
  stopClock();
  state_.payout = state_.bank + state_.stake;
  appendLog(str("Выигрыш - "_cp) + std::to_string(state_.payout));
  report(events::GameEnded{state_.payout});
  message(str("Ваш выигрыш составил: "_cp) + std::to_string(state_.payout) + str(" рублей!"_cp));
  hideGameCircles();
  setPlayControls(false);
  screen_.gongPlace = Screen::GongPlace::PutAway;
  screen_.answerBox.set("");
  screen_.questionLines = {"", str("  Для того, чтобы начать игру жмите \"F2\""_cp)};
  state_.timesCleared = {};
  for (int r = 1; r <= 5; ++r)
    screen_.ladder[static_cast<std::size_t>(r - 1)] = {ladderCaption(r), false};
  screen_.topicCaption = str("Выберите тему для замены:"_cp);
  screen_.statusPanels[1].clear();
  screen_.newGameEnabled = true;
  state_.bank = 0;
  screen_.bank.caption = "0";
  state_.secondsLeft = GameState::kFullTime;
  state_.questionSeconds = 0;
  state_.roundSeconds = 0;
  state_.stake = 0;
  // The idle window shows "0", "0" and "4:00" whichever way the game ended.
  showDisplays();
  for (auto& z : screen_.replacementCircles)
    z.colour = kNavy;
  insertResult(state_.payout);
}

}  // namespace kelmora
