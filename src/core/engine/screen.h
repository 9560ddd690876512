#pragma once

// Everything the rules show in the main window, as plain data. The game changes it; the
// window draws it in one place; tests read it.

#include <array>
#include <string>
#include <vector>

#include "core/view/display.h"

namespace kelmora {

struct Screen {
  std::string caption;  // the window caption

  std::array<Label, 5> ladder;               // Label9..Label13, round 1 first
  std::array<Circle, 5> questionCircles;     // v1..v5 with their letters vl1..vl5
  std::array<Circle, 3> replacementCircles;  // z1..z3

  Label bank;             // Label8
  Label questionSeconds;  // Label5
  Label roundSeconds;     // second (always greyed)
  Label timeLeft;         // osttime (red text, enabled in the last 30 seconds)

  std::vector<std::string> questionLines;  // Memo1
  bool questionBoxEnabled = false;
  EditBox answerBox;  // Edit1
  bool passEnabled = false;
  bool replaceEnabled = false;

  std::vector<std::string> topicNames;  // ComboBox1's items
  bool topicSelectorEnabled = true;
  FieldColour topicSelectorColour = FieldColour::Window;
  std::string topicCaption;    // Label3
  bool warningVisible = true;  // Label4 "Внимание!"

  std::array<std::string, 2> statusPanels;
  bool newGameEnabled = true;  // menu item N2

  // Where the gong box (GroupBox6) stands; while it stands over the clock, the time box
  // (GroupBox4) is moved out of the way. The window knows the pixels of each place.
  enum class GongPlace { AsDesigned, OverTheClock, PutAway };
  GongPlace gongPlace = GongPlace::AsDesigned;
  bool gongBoxVisible = true;
  EditBox gongValue;                        // Edit2, read-only: it only shows the ticker's values
  std::array<bool, 3> gongChoiceEnabled{};  // Button3..Button5
  bool gongStopEnabled = false;             // Button6

  bool operator==(const Screen&) const = default;
};

// The main window as it is created, before start-up has run.
Screen initialScreen();

// The ladder label's caption at rest for round r = 1..5.
std::string ladderCaption(int round);

}  // namespace kelmora
