#pragma once

// The sounds as the program plays them: the cues of the game's events through Qt Multimedia,
// and the player's choice of sound on or off behind the "Звук" menu item.

#include <QObject>
#include <QString>
#include <memory>

#include "app/sound/cues.h"

class QAction;
class QThread;

namespace kelmora::sound {

// Plays each cue on a fresh QSoundEffect in a thread of its own: opening a stream on the
// sound server takes milliseconds that must never be taken from the answer, the clock or the
// window. Qt Multimedia comes with the sound module, loaded in that thread when the first
// sound is prepared. Without a server, a device or the module every cue is dropped, silently.
class QtCuePlayer : public CuePlayer {
 public:
  QtCuePlayer(QString folder, QString module);
  ~QtCuePlayer() override;
  QtCuePlayer(const QtCuePlayer&) = delete;
  QtCuePlayer& operator=(const QtCuePlayer&) = delete;

  // Finds the sound server, away from the event loop; the first cue does it if not done yet.
  void prepare();
  void play(Cue cue) override;

 private:
  QString folder_;
  QString module_;
  // A game built without its sounds, or installed without them, plays on in silence.
  bool haveSounds_;
  QThread* thread_ = nullptr;
  QObject* host_ = nullptr;
};

// Where the sounds lie: beside the built program, or where the install rules put them.
QString installedSoundsFolder();
// The sound module lies beside the program, built or installed.
QString installedSoundModule();

// The player's choice, kept per user in the desktop's place for settings; on until turned off.
bool soundOnSetting();
void saveSoundOnSetting(bool on);

// The game's sounds, wired to the menu item that turns them on and off.
class Sounds : public Events {
 public:
  // Tests hand in a player of their own; the program plays through Qt Multimedia.
  explicit Sounds(QAction& toggle, CuePlayer* player = nullptr);
  ~Sounds() override;
  void report(const GameEvent& event) override { listener_.report(event); }

 private:
  std::unique_ptr<QtCuePlayer> ownPlayer_;
  CueListener listener_;
  // What the menu and the timers call back into ends with this object.
  QObject context_;
};

}  // namespace kelmora::sound
