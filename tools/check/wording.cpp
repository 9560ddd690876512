#include "check/wording.h"

#include <algorithm>
#include <unordered_set>

#include "core/text/answer_match.h"
#include "core/text/cp1251.h"

namespace kelmora::check {

namespace {

constexpr unsigned char kSmallYo = 0xB8;
constexpr unsigned char kCapitalYo = 0xA8;
constexpr unsigned char kSmallYe = 0xE5;
constexpr unsigned char kFirstCapital = 0xC0;  // "А"
constexpr unsigned char kFirstSmall = 0xE0;    // "а"

unsigned char byte(char c) {
  return static_cast<unsigned char>(c);
}

bool latin(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool cyrillic(unsigned char c) {
  return c >= kFirstCapital || c == kSmallYo || c == kCapitalYo;
}

bool digit(unsigned char c) {
  return c >= '0' && c <= '9';
}

bool wordCharacter(unsigned char c) {
  return latin(c) || cyrillic(c) || digit(c);
}

char folded(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  if (c >= kFirstCapital && c < kFirstSmall) return static_cast<char>(c + 0x20);
  if (c == kSmallYo || c == kCapitalYo) return static_cast<char>(kSmallYe);
  return static_cast<char>(c);
}

bool smallCyrillicOnly(std::string_view word) {
  return !word.empty() &&
         std::all_of(word.begin(), word.end(), [](char c) { return byte(c) >= kFirstSmall; });
}

// What Russian words end in and what changes from one form of a word to the next.
bool endingLetter(char c) {
  return "аеиоуыэюяйь"_cp.find(c) != std::string_view::npos;
}

std::string_view withoutEnding(std::string_view word) {
  while (word.size() > 3 && endingLetter(word.back()))
    word.remove_suffix(1);
  return word;
}

// Runs of the characters keep() accepts.
template <typename Keep>
std::vector<std::string_view> runs(std::string_view text, Keep keep) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && keep(byte(text[i]))) continue;
    if (i > start) out.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return out;
}

}  // namespace

std::vector<std::string> foldedWords(std::string_view text) {
  std::vector<std::string> words;
  for (const auto run : runs(text, wordCharacter)) {
    std::string word;
    for (const char c : run)
      word.push_back(folded(byte(c)));
    words.push_back(std::move(word));
  }
  // A sign in quotes is what such a question is about ("Как называется знак «;»?"), so it
  // counts as a word of its own.
  constexpr char kOpen = '\xAB';  // «
  constexpr char kClose = '\xBB';  // »
  for (std::size_t open = text.find(kOpen); open != std::string_view::npos;
       open = text.find(kOpen, open + 1)) {
    const std::size_t close = text.find(kClose, open + 1);
    if (close == std::string_view::npos) break;
    const auto quoted = text.substr(open + 1, close - open - 1);
    if (!quoted.empty() && std::none_of(quoted.begin(), quoted.end(), [](char c) {
          return wordCharacter(byte(c)) || c == ' ';
        })) {
      words.emplace_back(quoted);
    }
  }
  return words;
}

std::string stem(std::string_view word) {
  if (!smallCyrillicOnly(word)) return std::string(word);
  constexpr std::size_t kStemLength = 5;
  return std::string(withoutEnding(word).substr(0, kStemLength));
}

bool frameWord(std::string_view word) {
  static const std::unordered_set<std::string_view> kFrame = {
      "в"_cp,          "во"_cp,         "на"_cp,         "у"_cp,        "из"_cp,
      "и"_cp,          "с"_cp,          "со"_cp,         "по"_cp,       "о"_cp,
      "об"_cp,         "обо"_cp,        "к"_cp,          "ко"_cp,       "за"_cp,
      "от"_cp,         "до"_cp,         "для"_cp,        "при"_cp,      "а"_cp,
      "но"_cp,         "же"_cp,         "ли"_cp,         "не"_cp,       "ни"_cp,
      "это"_cp,        "то"_cp,         "как"_cp,        "кто"_cp,      "кого"_cp,
      "кому"_cp,       "кем"_cp,        "ком"_cp,        "что"_cp,      "чего"_cp,
      "чему"_cp,       "чем"_cp,        "где"_cp,        "когда"_cp,    "куда"_cp,
      "откуда"_cp,     "сколько"_cp,    "скольких"_cp,   "чей"_cp,      "чья"_cp,
      "чье"_cp,        "чьи"_cp,        "какой"_cp,      "какая"_cp,    "какое"_cp,
      "какие"_cp,      "какого"_cp,     "какому"_cp,     "каким"_cp,    "каком"_cp,
      "какую"_cp,      "какими"_cp,     "каких"_cp,      "который"_cp,  "которая"_cp,
      "которое"_cp,    "которые"_cp,    "которого"_cp,   "которой"_cp,  "котором"_cp,
      "которую"_cp,    "называется"_cp, "называются"_cp, "называют"_cp, "назывался"_cp,
      "называлась"_cp, "называлось"_cp, "назывались"_cp, "зовут"_cp,    "звали"_cp,
  };
  return kFrame.contains(word);
}

std::vector<TypedWord> typedWords(std::string_view text) {
  std::vector<TypedWord> words;
  for (const auto run : runs(text, [](unsigned char c) { return wordCharacter(c) || c == '-'; })) {
    std::string typed = normalizeAnswer(run);
    if (!typed.empty()) words.push_back({run, std::move(typed)});
  }
  return words;
}

std::string variantStem(std::string_view variant) {
  if (!smallCyrillicOnly(variant)) return {};
  return std::string(withoutEnding(variant));
}

bool asksForYear(std::string_view text) {
  const auto words = foldedWords(text);
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    const std::string_view which = words[i];
    const std::string_view year = words[i + 1];
    const bool asking = which == "каком"_cp || which == "какому"_cp || which == "какого"_cp ||
                        which == "котором"_cp || which == "какой"_cp;
    if (asking && (year == "году"_cp || year == "года"_cp || year == "год"_cp)) return true;
  }
  return false;
}

bool asksHowMany(std::string_view text) {
  const auto words = foldedWords(text);
  return std::any_of(words.begin(), words.end(), [](std::string_view w) {
    return w == "сколько"_cp || w == "скольких"_cp || w == "скольким"_cp;
  });
}

}  // namespace kelmora::check
