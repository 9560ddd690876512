#pragma once

// The side of the sound player that needs Qt Multimedia. It is built as a module of its own
// and loaded in the sound thread when the first sound is prepared: linked into the program,
// Qt Multimedia and the sound server's client libraries would be loaded and relocated before
// the window can show, for sounds that are not needed until later.

#include <QObject>
#include <QString>

namespace kelmora::sound {

// Lives in the sound thread, with everything it plays.
class SoundWorker : public QObject {
 public:
  // Finds the sound server; without one every later cue is dropped unheard.
  virtual void connectToServer() = 0;
  virtual void play(const QString& file) = 0;
};

// What the module exports, by this name, to make its worker.
using MakeSoundWorker = SoundWorker* (*)();
inline constexpr char kMakeSoundWorker[] = "kelmoraMakeSoundWorker";

}  // namespace kelmora::sound
