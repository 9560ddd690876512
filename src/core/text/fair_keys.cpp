#include "core/text/fair_keys.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>

#include "core/text/cp1251.h"

namespace kelmora {

namespace {

constexpr int kHighestNumeral = 39;  // beyond Louis XVIII and John XXIII nobody counts rulers
constexpr std::size_t kShortestName = 3;
// Cases differ in at most the last three letters: "красн-ый"/"красн-ого", "рюрик"/"рюрик-а".
constexpr std::size_t kLongestEnding = 3;
constexpr std::size_t kShortestStem = 3;
// The question word has to come early to ask for the answer's case.
constexpr std::size_t kQuestionWordWithin = 3;

unsigned char byte(char c) {
  return static_cast<unsigned char>(c);
}

bool smallCyrillic(char c) {
  return byte(c) >= 0xE0;
}

bool allSmallCyrillic(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), smallCyrillic);
}

bool digit(char c) {
  return c >= '0' && c <= '9';
}

std::string roman(int n, bool capitals) {
  std::string out;
  for (; n >= 10; n -= 10)
    out += 'X';
  if (n == 9) out += "IX";
  if (n == 4) out += "IV";
  if (n >= 5 && n <= 8) out += 'V';
  if (n != 4 && n != 9) out.append(static_cast<std::size_t>(n % 5), 'I');
  if (!capitals) {
    for (char& c : out)
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The number a Roman numeral of I, V, X stands for, written the one canonical way; 0 if none.
int fromRoman(std::string_view s) {
  for (int n = 1; n <= kHighestNumeral; ++n) {
    if (s == roman(n, true) || s == roman(n, false)) return n;
  }
  return 0;
}

bool romanLetter(char c) {
  return std::string_view("IVXivx").find(c) != std::string_view::npos;
}

// A name followed by a number: "людовик" and 14 for "людовик14", "людовикXIV", "людовикxiv".
struct NamedNumber {
  std::string_view name;
  int number = 0;
};

NamedNumber namedNumber(std::string_view variant) {
  std::size_t tail = variant.size();
  const bool digits = tail > 0 && digit(variant.back());
  while (tail > 0 && (digits ? digit(variant[tail - 1]) : romanLetter(variant[tail - 1])))
    --tail;
  const std::string_view name = variant.substr(0, tail);
  const std::string_view number = variant.substr(tail);
  if (name.size() < kShortestName || !allSmallCyrillic(name) || number.empty()) return {};
  int n = 0;
  if (digits) {
    if (number[0] == '0' || number.size() > 2) return {};
    for (const char c : number)
      n = n * 10 + (c - '0');
  } else {
    n = fromRoman(number);
  }
  if (n < 1 || n > kHighestNumeral) return {};
  return {name, n};
}

constexpr std::string_view kApostrophes = "'`\x91\x92\xB4";

bool apostrophe(char c) {
  return kApostrophes.find(c) != std::string_view::npos;
}

void addOnce(std::vector<std::string>& out, std::string form, std::string_view variant) {
  if (form != variant && std::find(out.begin(), out.end(), form) == out.end())
    out.push_back(std::move(form));
}

// The words of a question, Cyrillic folded to small letters and "ё" read as "е"; Latin kept
// as written, since a Roman numeral is told by its capitals.
std::vector<std::string> questionWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const unsigned char c = i < text.size() ? byte(text[i]) : ' ';
    const bool latin = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (latin || c >= 0xC0 || c == 0xA8 || c == 0xB8) {
      if (c == 0xA8 || c == 0xB8) {
        word += '\xE5';
      } else {
        word += static_cast<char>(c >= 0xC0 && c < 0xE0 ? c + 0x20 : c);
      }
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  return words;
}

bool startsWithAny(std::string_view word, std::initializer_list<std::string_view> stems) {
  return std::any_of(stems.begin(), stems.end(),
                     [word](std::string_view s) { return word.starts_with(s); });
}

bool ordinalWord(std::string_view rest) {
  return startsWithAny(
      rest,
      {"перв"_cp,      "втор"_cp,      "трет"_cp,    "четв"_cp,     "пят"_cp,      "шест"_cp,
       "седьм"_cp,     "восьм"_cp,     "девят"_cp,   "десят"_cp,    "одиннадц"_cp, "двенадц"_cp,
       "тринадц"_cp,   "четырнадц"_cp, "пятнадц"_cp, "шестнадц"_cp, "семнадц"_cp,  "восемнадц"_cp,
       "девятнадц"_cp, "двадцат"_cp,   "тридцат"_cp});
}

bool rulerWord(std::string_view word) {
  return startsWithAny(word, {"цар"_cp, "император"_cp, "императриц"_cp, "корол"_cp, "княз"_cp,
                              "княгин"_cp, "монарх"_cp, "престол"_cp, "трон"_cp, "династи"_cp,
                              "фараон"_cp, "понтифик"_cp, "самодерж"_cp}) ||
         word == "папа"_cp || word == "папы"_cp || word == "папой"_cp || word == "папе"_cp;
}

bool romanWord(std::string_view word) {
  return std::all_of(word.begin(), word.end(), [](char c) {
    return std::string_view("IVXLCDM").find(c) != std::string_view::npos;
  });
}

}  // namespace

std::vector<std::string> numeralTwins(std::string_view variant) {
  std::vector<std::string> out;
  const NamedNumber named = namedNumber(variant);
  if (named.number == 0) return out;
  const std::string name(named.name);
  addOnce(out, name + std::to_string(named.number), variant);
  addOnce(out, name + roman(named.number, true), variant);
  addOnce(out, name + roman(named.number, false), variant);
  return out;
}

std::vector<std::string> apostropheTwins(std::string_view variant) {
  std::vector<std::string> out;
  if (std::none_of(variant.begin(), variant.end(), apostrophe)) return out;
  std::string bare;
  std::string plain;
  for (const char c : variant) {
    if (!apostrophe(c)) bare += c;
    plain += apostrophe(c) ? '\'' : c;
  }
  if (!bare.empty()) addOnce(out, bare, variant);
  addOnce(out, plain, variant);
  return out;
}

std::vector<std::string> fairTwins(std::string_view variant) {
  std::vector<std::string> out = numeralTwins(variant);
  for (auto& twin : apostropheTwins(variant))
    addOnce(out, std::move(twin), variant);
  return out;
}

bool rulerOrdinal(std::string_view variant, std::string_view question,
                  const std::vector<std::string>& key) {
  const NamedNumber named = namedNumber(variant);
  if (named.number == 0) return false;
  for (const std::string_view other : key) {
    if (!other.starts_with(named.name) || other == variant) continue;
    const std::string_view rest = other.substr(named.name.size());
    if (ordinalWord(rest) || namedNumber(other).name == named.name) return true;
  }
  const auto words = questionWords(question);
  return std::any_of(words.begin(), words.end(),
                     [](const std::string& w) { return rulerWord(w) || romanWord(w); });
}

std::vector<MissingTwin> missingTwins(std::string_view question,
                                      const std::vector<std::string>& key) {
  std::vector<MissingTwin> out;
  for (auto v = key.begin(); v != key.end(); ++v) {
    if (std::find(key.begin(), v, *v) != v) continue;
    std::vector<std::string> twins = apostropheTwins(*v);
    if (rulerOrdinal(*v, question, key)) {
      auto numerals = numeralTwins(*v);
      twins.insert(twins.begin(), numerals.begin(), numerals.end());
    }
    for (auto& twin : twins) {
      const bool reported = std::any_of(out.begin(), out.end(),
                                        [&twin](const MissingTwin& m) { return m.twin == twin; });
      if (!reported && std::find(key.begin(), key.end(), twin) == key.end())
        out.push_back({*v, std::move(twin)});
    }
  }
  return out;
}

namespace {

// The question word that asks for an oblique case, or nothing.
std::string obliqueWord(std::string_view question) {
  const auto words = questionWords(question);
  const std::size_t within = std::min(words.size(), kQuestionWordWithin);
  for (std::size_t i = 0; i < within; ++i) {
    const std::string_view w = words[i];
    const bool oblique = w == "кого"_cp || w == "кому"_cp || w == "кем"_cp || w == "чего"_cp ||
                         w == "чему"_cp || w == "чем"_cp || w == "какого"_cp || w == "какому"_cp ||
                         w == "каким"_cp || w == "какую"_cp || w == "какими"_cp ||
                         w == "каких"_cp || w == "чей"_cp || w == "чья"_cp || w == "чье"_cp ||
                         w == "чьи"_cp || w == "чьего"_cp || w == "чьему"_cp || w == "чьим"_cp ||
                         w == "чью"_cp || w == "чьей"_cp || w == "чьих"_cp;
    const bool nominative = w == "кто"_cp || w == "что"_cp || w == "какой"_cp || w == "какая"_cp ||
                            w == "какое"_cp || w == "какие"_cp || w == "как"_cp || w == "где"_cp ||
                            w == "когда"_cp || w == "куда"_cp || w == "откуда"_cp ||
                            w == "сколько"_cp || w == "каком"_cp || w == "ком"_cp ||
                            w == "почему"_cp || w == "зачем"_cp || w == "каков"_cp ||
                            w == "какова"_cp || w == "каково"_cp;
    if (nominative) return {};
    if (!oblique) continue;
    // "Какого года", "Каким по счёту": a number, which does not decline in the answer;
    // "Под каким именем", "Какую фамилию": the answer is the name itself.
    for (std::size_t k = i + 1; k < std::min(words.size(), i + 3); ++k) {
      const std::string_view n = words[k];
      if (n == "год"_cp || n == "года"_cp || n == "году"_cp || n == "века"_cp || n == "веку"_cp ||
          n == "веке"_cp || n == "числа"_cp || n == "числу"_cp || n == "раз"_cp || n == "раза"_cp ||
          n == "счету"_cp || n == "именем"_cp || n == "названием"_cp || n == "прозвищем"_cp ||
          n == "псевдонимом"_cp || n == "фамилию"_cp || n == "кличку"_cp || n == "прозвище"_cp ||
          n == "имя"_cp || n == "название"_cp) {
        return {};
      }
    }
    return std::string(w);
  }
  return {};
}

}  // namespace

bool asksObliqueCase(std::string_view question) {
  return !obliqueWord(question).empty();
}

bool lacksAskedCase(std::string_view question, const std::vector<std::string>& key) {
  const std::string word = obliqueWord(question);
  if (word.empty() || holdsCaseForms(key)) return false;
  // "Какую планету ...? Марс": the accusative of a thing changes only words on "-а", "-я".
  const bool accusative = word == "какую"_cp || word == "чью"_cp;
  const char last = key.front().back();
  return !accusative || last == "а"_cp[0] || last == "я"_cp[0];
}

bool holdsCaseForms(const std::vector<std::string>& key) {
  if (key.empty()) return true;
  const std::string_view first = key.front();
  if (!allSmallCyrillic(first)) return true;
  if ("еиоуыэю"_cp.find(first.back()) != std::string_view::npos) return true;
  for (std::size_t i = 0; i < key.size(); ++i) {
    for (std::size_t j = i + 1; j < key.size(); ++j) {
      const std::string_view a = key[i];
      const std::string_view b = key[j];
      if (a == b || !allSmallCyrillic(a) || !allSmallCyrillic(b)) continue;
      const auto common = static_cast<std::size_t>(
          std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
      if (common < kShortestStem) continue;
      if (a.size() - common <= kLongestEnding && b.size() - common <= kLongestEnding) return true;
      // Both words of a phrase declined: "аннакерн"/"аннекерн", "курскаябитва"/"курскойбитвы".
      if (a.size() == b.size() &&
          std::inner_product(a.begin(), a.end(), b.begin(), std::size_t{0}, std::plus<>(),
                             std::not_equal_to<>()) <= kLongestEnding + 1) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace kelmora
