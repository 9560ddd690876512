#include "import/unicode.h"

#include "common/strict_utf8.h"
#include "core/text/cp1251.h"

namespace kelmora::import {

std::u32string toUtf32(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size())
    out.push_back(decodeUtf8(utf8, pos));
  return out;
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t ch : text)
    appendUtf8(out, ch);
  return out;
}

std::optional<std::string> exactCp1251(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t ch : text) {
    const int byte = unicodeToCp1251(ch);
    // U+0098 only stands for the code page's one unused byte: no one types it.
    if (byte < 0 || ch == 0x98) return std::nullopt;
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

namespace {

bool isStrictUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (!tools::decodeStrictUtf8(bytes, pos)) return false;
  }
  return true;
}

std::string fromUtf16(std::string_view bytes, bool littleEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return littleEndian ? char32_t(a | (b << 8)) : char32_t((a << 8) | b);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t ch = unit(i);
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        ch = 0x10000 + ((ch - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (ch >= 0xD800 && ch <= 0xDFFF) ch = 0xFFFD;
    appendUtf8(out, ch);
  }
  return out;
}

}  // namespace

std::string decodeTable(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF"))
    bytes.remove_prefix(3);
  else if (bytes.starts_with("\xFF\xFE"))
    return fromUtf16(bytes.substr(2), true);
  else if (bytes.starts_with("\xFE\xFF"))
    return fromUtf16(bytes.substr(2), false);
  if (isStrictUtf8(bytes)) return std::string(bytes);
  return kelmora::toUtf8(bytes);
}

char32_t foldForMatch(char32_t ch) {
  if (ch >= 0x410 && ch <= 0x42F) return ch + 0x20;
  if (ch == 0x401 || ch == 0x451) return 0x435;
  if (ch >= 'A' && ch <= 'Z') return ch + 0x20;
  return ch;
}

std::u32string foldForMatch(std::u32string_view text) {
  std::u32string out(text);
  for (auto& ch : out)
    ch = foldForMatch(ch);
  return out;
}

bool isBlank(char32_t ch) {
  return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == 0xA0 || ch == 0x2007 ||
         ch == 0x202F || (ch >= 0x2000 && ch <= 0x200B) || ch == 0x3000 || ch == '\v' || ch == '\f';
}

}  // namespace kelmora::import
