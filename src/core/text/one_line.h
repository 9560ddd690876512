#pragma once

// Text that becomes one line of a file, or one field of a record, must not carry a line break or
// any other control character: a break in a log line would forge a line of its own, and a name
// with one would break the lists that show it. Each such byte (0x00 to 0x1F and 0x7F) becomes a
// blank, so the text keeps its length.

#include <string>
#include <string_view>

namespace kelmora {

constexpr bool isControlByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 || b == 0x7F;
}

std::string oneLine(std::string_view text);

}  // namespace kelmora
