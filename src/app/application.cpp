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
      form1_(),
      form2_(
          dir_, [this](const std::string& text) { showMessageBox(&form2_, text); },
          [this](const std::string& text) { showErrorBox(&form2_, text); }),
      form3_(&form1_),
      form5_(dir_, &form1_),
      about_(&form1_),
      form4_(&form1_),
      form7_(&form1_),
      form6_(&form1_) {
  loadLog(log_);
  form2_.FormCreate();

  windowTimers_ = std::make_unique<WindowTimers>(form1_.clockTimer(), form1_.gongTimer());
  prompts_ = std::make_unique<WindowPrompts>(form1_, form4_, form6_, [this] { form1_.render(); });
  Timers& timers = overrides.timers ? *overrides.timers : *windowTimers_;
  game_ = std::make_unique<Game>(dir_, log_, Game::Ports{random_, timers, *prompts_, calendar_});
  form1_.attach(*game_, {[this] { about_.showBox(); }, [this] { form5_.showHelp(); }});
}

Application::Application(std::filesystem::path dir) : Application(std::move(dir), Overrides{}) {}

Application::~Application() {
  form1_.clockTimer().stop();
  form1_.gongTimer().stop();
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
  const std::string player = form2_.signIn();
  game_->startUp(player);
  form1_.render();
  // Centred with the size the fixed layout gives it, not the size of a window never laid out.
  form1_.layout()->activate();
  centre(&form1_);
  form1_.show();
}

std::optional<FolderLock> claimGameFolder(const std::filesystem::path& dir) {
  auto lock = FolderLock::tryAcquire(dir);
  if (!lock) {
    showMessageBox(nullptr, alreadyRunningMessage(dir));
    return std::nullopt;
  }
  removeStaleTemporaries(dir);
  return lock;
}

}  // namespace kelmora::app
