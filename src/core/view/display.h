#pragma once

// The pieces windows are drawn from, as plain data. The main window's Screen and the sign-in
// dialog's model both use them, so they sit below both.

#include <cstdint>
#include <string>
#include <utility>

namespace kelmora {

// 0xBBGGRR, as the layout gives them.
using Colour = std::uint32_t;
inline constexpr Colour kNavy = 0x800000;
inline constexpr Colour kGreen = 0x008000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kWhite = 0xFFFFFF;

// The two system colours the topic selector switches between.
enum class FieldColour { Window, ButtonFace };

struct Label {
  std::string caption;
  bool enabled = false;
  bool operator==(const Label&) const = default;
};

struct Circle {
  Colour colour = kNavy;
  bool visible = false;
  bool letterVisible = false;  // the "В" on a question circle; replacement circles have none
  bool operator==(const Circle&) const = default;
};

// A box the player types into. The game bumps revision whenever it writes the text itself,
// so the window overwrites the widget only then and a clock tick never wipes what is typed.
struct EditBox {
  std::string text;
  bool enabled = false;
  unsigned revision = 0;

  void set(std::string value) {
    text = std::move(value);
    ++revision;
  }
  // What the player sees; the revision is only a drawing hint.
  bool operator==(const EditBox& o) const { return text == o.text && enabled == o.enabled; }
};

}  // namespace kelmora
