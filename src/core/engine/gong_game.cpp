// The consolation game after a loss: stop a rising counter before a hidden gong to win back
// part of the previous round's prize.
#include "core/engine/game.h"
#include "core/text/cp1251.h"

namespace kelmora {

namespace {

struct GongRow {
  int prize;
  int stepRange;  // gongStep = randomIndex(stepRange) + stepBase
  int stepBase;
};

// By the round lost, 2..5: the prize of the round before it.
constexpr GongRow kGongRows[] = {
    {1000, 100, 50}, {2500, 200, 100}, {5000, 400, 200}, {15000, 1000, 1000}};

// The two wrong columns, in the order their gongs are placed, for right column 1, 2, 3.
constexpr int kWrongColumns[3][2] = {{2, 3}, {1, 3}, {2, 1}};

}  // namespace

void Game::showGongValue(int value) {
  gong_.shownValue = value;
  screen_.gongValue.set(value == kGongMark ? std::string("ГОНГ"_cp) : std::to_string(value));
}

void Game::startGongGame() {
  appendLog(std::string("[Гонг-игра]"_cp));
  screen_.answerBox.set("");
  screen_.gongPlace = Screen::GongPlace::OverTheClock;
  showGongValue(0);
  screen_.gongStopEnabled = false;
  screen_.gongValue.enabled = false;
  screen_.gongBoxVisible = true;

  const int round = state_.round;
  if (round <= 1) {
    message(std::string("У вас \"0\" !"_cp));
    state_.stake = 0;
    endGame();
    return;
  }

  const GongRow& row = kGongRows[round - 2];
  const int step = random_.randomIndex(row.stepRange) + row.stepBase;
  screen_.ladder[static_cast<std::size_t>(round - 1)].enabled = false;
  screen_.ladder[static_cast<std::size_t>(round - 2)].enabled = true;
  const int count = row.prize / step;
  gong_.gongCount = count;
  for (auto& column : gong_.columns)
    column[static_cast<std::size_t>(count)] = row.prize;
  appendLog("STR = " + std::to_string(count + 1));
  for (int k = 1; k <= count; ++k) {
    for (auto& column : gong_.columns)
      column[static_cast<std::size_t>(k - 1)] = k * step;
  }

  const int right = random_.randomIndex(3) + 1;
  appendLog(std::string("Верно - "_cp) + std::to_string(right));
  for (const int j : kWrongColumns[right - 1]) {
    const int p = random_.randomIndex(count - 2) + 4;
    appendLog(std::string("Вариант("_cp) + std::to_string(j) + ") - " + std::to_string(p));
    gong_.columns[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(p - 1)] = kGongMark;
  }

  screen_.gongChoiceEnabled = {true, true, true};
  gong_.phase = GongGame::Phase::Dealt;
  report(events::GongStarted{round, row.prize});
}

void Game::chooseGongColumn(int k) {
  handle([&] {
    if (gong_.phase != GongGame::Phase::Dealt || k < 1 || k > 3) return;
    appendLog(std::string("Выбор - "_cp) + std::to_string(k));
    report(events::GongColumnChosen{k});
    const auto& column = gong_.columns[static_cast<std::size_t>(k - 1)];
    std::copy_n(column.begin(), gong_.gongCount + 1, gong_.chosenColumn.begin());
    startGongTicker();
  });
}

void Game::startGongTicker() {
  screen_.gongChoiceEnabled = {false, false, false};
  gong_.phase = GongGame::Phase::Running;
  timers_.startGongTicker();
  gong_.gongPosition = 0;
  screen_.gongValue.enabled = true;
  screen_.gongStopEnabled = true;
}

void Game::endGongGame() {
  if (gong_.phase == GongGame::Phase::AtRest) return;
  gong_.phase = GongGame::Phase::AtRest;
  timers_.stopGongTicker();
  // The box leaves the view; a control left live in it could end a finished game again.
  screen_.gongValue.enabled = false;
  screen_.gongStopEnabled = false;
  screen_.gongChoiceEnabled = {false, false, false};
}

void Game::gongTick() {
  handle([&] {
    if (gong_.phase != GongGame::Phase::Running) return;
    const int last = gong_.gongCount + 1;
    ++gong_.gongPosition;
    if (gong_.gongPosition <= last) {
      showGongValue(gong_.chosenColumn[static_cast<std::size_t>(gong_.gongPosition - 1)]);
      report(events::GongValueShown{gong_.shownValue, gong_.shownValue == kGongMark});
    }
    if (gong_.shownValue == kGongMark) {
      endGongGame();
      state_.stake = 0;
      report(events::GongEnded{events::GongOutcome::Struck, 0});
      message(std::string("ГОНГ !!! Вы ничего не смогли отыграть!"_cp));
      endGame();
    } else if (gong_.gongPosition == last) {
      endGongGame();
      const int top = gong_.chosenColumn[static_cast<std::size_t>(last - 1)];
      report(events::GongEnded{events::GongOutcome::Maximum, top});
      message(std::string("Вы отыграли максимальную сумму!"_cp));
      state_.stake = top;
      endGame();
    }
    gong_.interval = 500 * (random_.randomIndex(4) + 1) + 500;
    timers_.setGongInterval(gong_.interval);
  });
}

void Game::stopGong() {
  handle([&] {
    if (gong_.phase != GongGame::Phase::Running) return;
    endGongGame();
    state_.stake = gong_.shownValue;
    report(events::GongEnded{events::GongOutcome::Stopped, state_.stake});
    appendLog(std::string("Стоп ["_cp) + std::to_string(state_.stake) + "] [" +
              std::to_string(gong_.gongPosition) + "]");
    message(std::string("Вы смогли отыграть: "_cp) + std::to_string(state_.stake) +
            std::string(" рублей."_cp));
    endGame();
  });
}

}  // namespace kelmora
