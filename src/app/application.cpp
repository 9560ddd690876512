#include "app/application.h"

#include <QLayout>

#include "app/look.h"
#include "core/files/file_error.h"
#include "core/files/game_files.h"

namespace kelmora::app {

namespace {

// The log is loaded while the main window is created, before anything is on screen.
GameLog& loadLog(GameLog& log) {
  try {
    log.load();
  } catch (const FileError& e) {
    showErrorBox(nullptr, e.what());
  }
  return log;
}

}  // namespace

Application::Application(std::filesystem::path dir, Overrides overrides)
    : dir_(std::move(dir)),
      log_(dir_),
      random_(overrides.random ? *overrides.random : clockRandom_),
      calendar_(overrides.calendar ? *overrides.calendar : localeCalendar_),
      mainWindow_(),
      playerDialog_(
          dir_, [this](const std::string& text) { showMessageBox(&playerDialog_, text); },
          [this](const std::string& text) { showErrorBox(&playerDialog_, text); }),
      optionsDialog_(&mainWindow_),
      helpWindow_(dir_, &mainWindow_),
      about_(&mainWindow_),
      roundWonDialog_(&mainWindow_),
      emptyWindow_(&mainWindow_),
      recordsWindow_(&mainWindow_) {
  if (overrides.events) events_.join(*overrides.events);
  events_.join(sounds_);
  loadLog(log_);
  playerDialog_.loadAccounts();

  windowTimers_ = std::make_unique<WindowTimers>(mainWindow_.clockTimer(), mainWindow_.gongTimer());
  prompts_ = std::make_unique<WindowPrompts>(mainWindow_, roundWonDialog_, recordsWindow_,
                                             [this] { mainWindow_.render(); });
  Timers& timers = overrides.timers ? *overrides.timers : *windowTimers_;
  game_ = std::make_unique<Game>(dir_, log_,
                                 Game::Ports{random_, timers, *prompts_, calendar_, events_});
  events_.join(speech_.follow(*game_));
  mainWindow_.attach(*game_, {[this] { about_.showBox(); }, [this] { helpWindow_.showHelp(); }});
}

Application::Application(std::filesystem::path dir) : Application(std::move(dir), Overrides{}) {}

Application::~Application() {
  mainWindow_.clockTimer().stop();
  mainWindow_.gongTimer().stop();
  try {
    // The date is read before the time: the closing line is read that way.
    const std::string date = calendar_.shortDate();
    const std::string time = calendar_.longTime();
    log_.closeAndSave(date, time);
  } catch (const FileError& e) {
    showErrorBox(nullptr, e.what());
  }
}

void Application::start() {
  if (&random_ == &clockRandom_) clockRandom_.seed();
  const std::string player = playerDialog_.signIn();
  game_->startUp(player);
  mainWindow_.render();
  // Centred with the size the fixed layout gives it, not the size of a window never laid out.
  mainWindow_.layout()->activate();
  centre(&mainWindow_);
  mainWindow_.show();
}

std::optional<FolderLock> claimGameFolder(const std::filesystem::path& dir) {
  auto lock = FolderLock::tryAcquire(dir);
  if (!lock || !lock->held()) {
    showMessageBox(nullptr, lock ? cannotLockMessage(dir) : alreadyRunningMessage(dir));
    return std::nullopt;
  }
  removeStaleTemporaries(dir);
  return lock;
}

}  // namespace kelmora::app
