#pragma once

// The few Unicode chores the readers and the variant derivation share. The game itself only
// knows the code page; these live with the importer because only its sources come in other
// encodings.

#include <optional>
#include <string>
#include <string_view>

namespace kelmora::import {

std::u32string toUtf32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);

// The code-page bytes of the text, or nothing when one of its characters has no byte there.
std::optional<std::string> exactCp1251(std::u32string_view text);

// A table as UTF-8, whatever a spreadsheet saved it as: UTF-8 with or without its byte order
// mark, UTF-16 with its mark (Excel's "Unicode text"), otherwise Windows-1251. Only valid
// UTF-8 is read as UTF-8, so a code-page file is never mistaken for it.
std::string decodeTable(std::string_view bytes);

// Lower case for matching words: Cyrillic and Latin capitals, "ё" as "е".
char32_t foldForMatch(char32_t ch);
std::u32string foldForMatch(std::u32string_view text);

bool isBlank(char32_t ch);

}  // namespace kelmora::import
