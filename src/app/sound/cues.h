#pragma once

// The sounds of the game: which event is heard as which cue. Qt-free, so whole scripted games
// can be listened to in tests with a fake player.

#include <optional>
#include <string_view>

#include "core/engine/events.h"

namespace kelmora::sound {

enum class Cue {
  Right,
  Wrong,
  ClockRed,
  LastTen,
  TimeOut,
  RoundWon,
  GongStarted,
  GongValue,
  Gong,
  Maximum,
  Record,
};

inline constexpr Cue kAllCues[] = {Cue::Right,   Cue::Wrong,    Cue::ClockRed,    Cue::LastTen,
                                   Cue::TimeOut, Cue::RoundWon, Cue::GongStarted, Cue::GongValue,
                                   Cue::Gong,    Cue::Maximum,  Cue::Record};

// The file a cue is played from, in the folder of the sounds; the generator writes the same
// names.
std::string_view fileName(Cue cue);

class CuePlayer {
 public:
  virtual ~CuePlayer() = default;
  // Must return at once: the game goes on while the cue sounds.
  virtual void play(Cue cue) = 0;
};

// Hears the game's events and plays their cues, unless the player turned the sound off.
class CueListener : public Events {
 public:
  explicit CueListener(CuePlayer& player) : player_(player) {}
  void report(const GameEvent& event) override;
  void setEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }

 private:
  std::optional<Cue> cueFor(const GameEvent& event);

  CuePlayer& player_;
  bool enabled_ = true;
  int rightNeeded_ = 0;
};

}  // namespace kelmora::sound
