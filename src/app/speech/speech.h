#pragma once

// The screen reader's listener: it puts the game's events into words (core/speech) and hands
// them to Orca through the notice, one utterance for each command of the player, and answers
// the two keys of a player who plays by ear: F3 the question again, F4 the time left. With no
// screen reader running it does nothing but remember the question on screen.

#include <QTimer>

#include "core/engine/events.h"
#include "core/speech/words.h"

class QWidget;

namespace kelmora {
class Game;
}

namespace kelmora::app {

class Notice;
class RecordsWindow;

class Speech : public Events {
 public:
  Speech(QWidget& mainWindow, RecordsWindow& records);
  // Starts listening to this game (for the time left); returns the listener to join.
  Events& follow(const Game& game);

  void report(const GameEvent& event) override;
  void repeatQuestion();
  void sayTimeLeft();

 private:
  void flush();

  RecordsWindow& records_;
  const Game* game_ = nullptr;
  Notice* notice_;
  speech::Narrator narrator_;
  // The rest of a command's utterance leaves once the command is done and drawn, so that it
  // comes after any focus the window moved, never before.
  QTimer flush_;
};

}  // namespace kelmora::app
