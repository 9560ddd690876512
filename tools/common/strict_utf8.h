#pragma once

// UTF-8 read the strict way. The core's decoder is lenient on purpose (broken text must never
// stop the game); the authors' tools must instead tell valid UTF-8 from anything that only
// resembles it, so overlong forms, surrogates and values past U+10FFFF count as malformed.

#include <cstddef>
#include <optional>
#include <string_view>

namespace kelmora::tools {

// Decodes the sequence at text[pos]. On success pos moves past it; on a malformed sequence
// pos moves one byte on and the result is empty, so a scan always makes progress.
constexpr std::optional<char32_t> decodeStrictUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return char32_t{lead};
  std::size_t extra = 0;
  char32_t ch = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    ch = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    ch = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    ch = lead & 0x07;
    least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (pos + extra > text.size()) return std::nullopt;
  for (std::size_t i = 0; i < extra; ++i) {
    const auto cont = static_cast<unsigned char>(text[pos + i]);
    if ((cont & 0xC0) != 0x80) return std::nullopt;
    ch = (ch << 6) | (cont & 0x3F);
  }
  if (ch < least || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return std::nullopt;
  pos += extra;
  return ch;
}

}  // namespace kelmora::tools
