#pragma once

// Everything the game stores or compares is Windows-1251, one byte a character, because the
// question bases, the accounts and the records were written that way and must stay readable.
// Inside the core a std::string holds these bytes; UTF-8 only exists at the edges.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelmora {

// The upper half of the code page. 0x98 has no character of its own; it maps to U+0098 so
// that every byte survives a round trip through Unicode.
inline constexpr std::array<char32_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

inline constexpr char kUnmappable = '?';

constexpr char32_t cp1251ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char32_t{byte} : kCp1251High[byte - 0x80];
}

// The code-page byte of a character, or -1 when the code page cannot hold it.
constexpr int unicodeToCp1251(char32_t ch) {
  if (ch < 0x80) return static_cast<int>(ch);
  if (ch >= 0x0410 && ch <= 0x044F) return static_cast<int>(ch - 0x0410 + 0xC0);
  for (std::size_t i = 0; i < 0x40; ++i) {
    if (kCp1251High[i] == ch) return static_cast<int>(i + 0x80);
  }
  return -1;
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. A malformed sequence yields
// U+FFFD and consumes one byte, so broken input never stalls the caller.
constexpr char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  constexpr char32_t kBad = 0xFFFD;
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t ch = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    ch = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    ch = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    ch = lead & 0x07;
  } else {
    return kBad;
  }
  if (pos + static_cast<std::size_t>(extra) > text.size()) return kBad;
  for (int i = 0; i < extra; ++i) {
    const auto cont = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
    if ((cont & 0xC0) != 0x80) return kBad;
    ch = (ch << 6) | (cont & 0x3F);
  }
  pos += static_cast<std::size_t>(extra);
  return ch;
}

// Appends the UTF-8 of one character.
void appendUtf8(std::string& out, char32_t ch);

// UTF-8 -> code page; characters the code page cannot hold become "?".
std::string toCp1251(std::string_view utf8);
// Code page -> UTF-8; every byte has a character, so nothing is lost.
std::string toUtf8(std::string_view cp1251);

// A compile-time string literal, converted from the UTF-8 of the source to code-page bytes.
// A character outside the code page stops the build instead of turning into "?" at run time.
template <std::size_t N>
struct CpLiteral {
  char bytes[N]{};
  std::size_t length = 0;

  consteval CpLiteral(const char (&utf8)[N]) {  // NOLINT: implicit by design, for the literal
    const std::string_view text(utf8, N - 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
      const int byte = unicodeToCp1251(decodeUtf8(text, pos));
      if (byte < 0) throw std::logic_error("character outside Windows-1251 in a literal");
      bytes[length++] = static_cast<char>(byte);
    }
  }
  constexpr std::string_view view() const { return {bytes, length}; }
};

template <CpLiteral L>
inline constexpr CpLiteral kCpStorage = L;

inline namespace literals {
// "Новая игра"_cp is the code-page text, with static storage.
template <CpLiteral L>
constexpr std::string_view operator""_cp() {
  return kCpStorage<L>.view();
}
}  // namespace literals

}  // namespace kelmora
