#pragma once

// The program: the eight windows, created once in their fixed order and alive until the end,
// the game with its ports, and the log of the run.

#include <filesystem>
#include <memory>

#include "app/main_window.h"
#include "app/player_dialog.h"
#include "app/records_window.h"
#include "app/round_won_dialog.h"
#include "app/small_windows.h"
#include "app/sound/sounds.h"
#include "app/speech/speech.h"
#include "app/window_ports.h"
#include "core/engine/game.h"
#include "core/files/folder_lock.h"
#include "core/log/game_log.h"

namespace kelmora::app {

class Application {
 public:
  // Tests replace chance, time and the calendar, and listen to the game's events; the program
  // uses the real ones.
  struct Overrides {
    Random* random = nullptr;
    Timers* timers = nullptr;
    Calendar* calendar = nullptr;
    Events* events = nullptr;
  };

  Application(std::filesystem::path dir, Overrides overrides);
  explicit Application(std::filesystem::path dir);
  // Writes the closing lines and saves the log, whatever state the game is in.
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The main window's first showing: sign-in, the bases, the caption and the count.
  void start();

  MainWindow& mainWindow() { return mainWindow_; }
  Game& game() { return *game_; }

 private:
  std::filesystem::path dir_;
  GameLog log_;
  ClockRandom clockRandom_;
  LocaleCalendar localeCalendar_;
  Random& random_;
  Calendar& calendar_;
  // Whoever listens to the game: a test's recorder, and the program's own listeners.
  EventListeners events_;

  MainWindow mainWindow_;
  PlayerDialog playerDialog_;
  OptionsDialog optionsDialog_;
  HelpWindow helpWindow_;
  AboutBox about_;
  RoundWonDialog roundWonDialog_;
  EmptyWindow emptyWindow_;
  RecordsWindow recordsWindow_;
  sound::Sounds sounds_{mainWindow_.soundToggle()};
  Speech speech_{mainWindow_, recordsWindow_};

  std::unique_ptr<WindowTimers> windowTimers_;
  std::unique_ptr<WindowPrompts> prompts_;
  std::unique_ptr<Game> game_;
};

// One copy of the game per folder. Returns the folder's lock, with the leftovers of copies that
// died in the middle of a save cleared away; or nothing, once the player has been told that
// the game already runs there, and then the program must end without touching any file.
std::optional<FolderLock> claimGameFolder(const std::filesystem::path& dir);

}  // namespace kelmora::app
