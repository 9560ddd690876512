// Start-up of the main window, and the records table at the end of a game and from the menu.
#include "core/engine/game.h"
#include "core/players/records.h"
#include "core/text/cp1251.h"
#include "core/view/title.h"

namespace kelmora {

std::string Game::noQuestionsMessage() const {
  if (!unreadBase_.empty()) {
    return std::string("Вопросы не загружены: при запуске игры не удалось прочитать файл "_cp) +
           unreadBase_ +
           std::string(". Игру начать нельзя; исправьте файл и запустите игру снова."_cp);
  }
  return std::string(
      "В базе вопросов [kelmora.db] нет ни одного вопроса, поэтому игру начать нельзя. Добавьте вопросы в файл kelmora.db и запустите игру снова."_cp);
}

void Game::startUp(std::string_view player) {
  handle([&] {
    player_ = std::string(player);
    state_.usedMain.clear();
    state_.usedReplacement.clear();
    screen_.gongBoxVisible = false;
    hideGameCircles();
    state_.secondsLeft = GameState::kFullTime;
    state_.questionSeconds = 0;
    state_.roundSeconds = 0;
    state_.stake = 0;
    const Notify notify = [this](const std::string& text) { message(text); };
    // Should a file fail, the rest of start-up is skipped; F2 later says which file it was.
    unreadBase_ = kTopicsFile;
    topics_ = loadTopicList(dir_, notify);
    screen_.topicNames = topics_.names();
    unreadBase_ = kMainBaseFile;
    loadMainBase(dir_, mainBase_, notify);
    unreadBase_.clear();
    const int n = mainBase_.questionCount;
    screen_.caption = std::string(kGameTitle) + " [" + player_ + "]";
    screen_.statusPanels[0] = std::string("Вопросов в базе: "_cp) + std::to_string(n);
    appendLog(std::string("Колличество вопросов - "_cp) + std::to_string(n));
  });
}

void Game::insertResult(int payout) {
  auto table = readRecords(dir_);
  const int place = placeFor(table, payout);
  if (place > 0) {
    insertEntry(table, place, player_, calendar_.recordDate(), payout);
    // The place is told only once it is stored: a failed save shows its error and no place.
    writeRecords(dir_, table);
    report(events::RecordPlaced{place, payout});
    message(placeMessage(place));
  }
  prompts_.showRecords(readRecords(dir_));
}

void Game::showRecords() {
  handle([&] { prompts_.showRecords(readRecords(dir_)); });
}

}  // namespace kelmora
