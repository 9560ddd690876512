#pragma once

// Everything a screen reader says for the game, in one voice: short Russian sentences written
// for the ear (sums in roubles, numbers with the word that agrees with them, no brackets or
// signs a synthesiser would spell out). Text is code page, as everywhere in the core.
//
// The Narrator also decides how the events of one command become one utterance: a screen
// reader cuts off whatever it is saying when the next announcement arrives, so "Верно" and the
// next question must leave together, not one after the other.

#include <optional>
#include <string>

#include "core/engine/events.h"

namespace kelmora::speech {

// "1 рубль", "2 рубля", "5 рублей".
std::string roubles(int amount);
// "3 минуты 12 секунд", "29 секунд".
std::string duration(int seconds);

// The answers to the two keys a screen-reader user asks with.
std::string timeLeftWords(bool playing, int secondsLeft);
inline constexpr const char* kRepeatKey = "F3";
inline constexpr const char* kTimeKey = "F4";

class Narrator {
 public:
  // What the event adds to the utterance of its command. Events a message box or a dialog
  // says by itself add nothing.
  void hear(const GameEvent& event);

  // The event is the last thing before a modal window opens: what was gathered must leave
  // now, or the window would speak over it.
  static bool leadsToModal(const GameEvent& event);

  // Takes the gathered utterance (empty when there is nothing to say).
  std::string take();

  // The current question again, with its round; or how to start a game when there is none.
  std::string repeatQuestion() const;

 private:
  void add(const std::string& sentence);

  std::string pending_;
  std::optional<events::QuestionShown> question_;
};

}  // namespace kelmora::speech
