#include "import/variants.h"

#include <algorithm>
#include <array>

#include "core/text/answer_match.h"
#include "core/text/cp1251.h"
#include "core/text/fair_keys.h"
#include "import/unicode.h"

namespace kelmora::import {

namespace {

// Remarks as question authors write them, folded ("ё" as "е"). A remark that refuses an
// answer is cut off first: "незачёт: Лермонтов" must never become a variant.
constexpr std::array<std::u32string_view, 8> kRefusing = {
    U"не принимается", U"не принимаются", U"не засчитывается", U"не засчитываются",
    U"незачет",        U"не зачет",       U"не допускается",   U"не допускаются"};
constexpr std::array<std::u32string_view, 7> kAccepting = {
    U"принимается", U"принимаются", U"засчитывается", U"засчитываются",
    U"зачет",       U"допускается", U"допускаются"};
// Only at the start of a bracket: "(или Александр Пушкин)".
constexpr std::u32string_view kOr = U"или";
constexpr std::u32string_view kHowMany = U"сколько";
constexpr std::string_view kYearShort = "г"_cp;
constexpr std::string_view kYearLong = "год"_cp;
constexpr std::string_view kNoName = "Без названия"_cp;
// Endings for the case forms an oblique question asks of a one-word answer.
constexpr std::string_view kSmallA = "а"_cp;
constexpr std::string_view kSmallYa = "я"_cp;
constexpr std::string_view kAccusativeA = "у"_cp;
constexpr std::string_view kAccusativeYa = "ю"_cp;
constexpr std::string_view kGenitiveA = "ы"_cp;
constexpr std::string_view kGenitiveSoft = "и"_cp;
constexpr std::string_view kHushing = "гкхжшщч"_cp;
constexpr std::string_view kNotDeclined = "еиоуыэюйь"_cp;

constexpr std::size_t kNone = std::u32string::npos;

bool isLetter(char32_t ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= 0x400 && ch <= 0x4FF);
}

// The first place a word of the list starts, as a whole word; its length in len.
std::size_t findWord(std::u32string_view folded, std::u32string_view word) {
  for (std::size_t at = folded.find(word); at != kNone; at = folded.find(word, at + 1)) {
    const bool startsWord = at == 0 || !isLetter(folded[at - 1]);
    const std::size_t end = at + word.size();
    const bool endsWord = end == folded.size() || !isLetter(folded[end]);
    if (startsWord && endsWord) return at;
  }
  return kNone;
}

template <std::size_t N>
std::size_t findAny(std::u32string_view text, const std::array<std::u32string_view, N>& words,
                    std::size_t* length = nullptr) {
  const std::u32string folded = foldForMatch(text);
  std::size_t best = kNone;
  for (const auto word : words) {
    const std::size_t at = findWord(folded, word);
    if (at < best) {
      best = at;
      if (length != nullptr) *length = word.size();
    }
  }
  return best;
}

// What a player's keyboard gives for the typographer's characters: straight apostrophes,
// hyphens (which the normalisation drops anyway), plain blanks, and no quotation marks.
std::u32string asTyped(std::u32string_view text) {
  std::u32string out;
  for (char32_t ch : text) {
    if (isBlank(ch) || ch < 0x20 || ch == 0x7F)
      ch = ' ';
    else if (ch == 0x2019 || ch == 0x2018 || ch == 0x02BC || ch == '`' || ch == 0xB4)
      ch = '\'';
    else if ((ch >= 0x2010 && ch <= 0x2015) || ch == 0x2212)
      ch = '-';
    else if (ch == '"' || ch == 0xAB || ch == 0xBB || (ch >= 0x201C && ch <= 0x201F))
      continue;
    out.push_back(ch);
  }
  return out;
}

std::u32string trimmed(std::u32string_view text) {
  auto junk = [](char32_t ch) {
    return ch == ' ' || ch == '.' || ch == ',' || ch == ';' || ch == ':' || ch == '?' ||
           ch == '!' || ch == '\'' || ch == '-';
  };
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && junk(text[b]))
    ++b;
  while (e > b && junk(text[e - 1]))
    --e;
  return std::u32string(text.substr(b, e - b));
}

// After a remark's keyword: its colon or dash, then the accepted forms.
std::u32string afterKeyword(std::u32string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == ':' || text[at] == '-'))
    ++at;
  return std::u32string(text.substr(at));
}

// Alternatives are split at ";" and "/", but "1/2" is one answer.
std::vector<std::u32string> splitAlternatives(std::u32string_view text, bool atCommas) {
  std::vector<std::u32string> out;
  std::u32string piece;
  auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t ch = text[i];
    const bool fraction = ch == '/' && i > 0 && digit(i - 1) && digit(i + 1);
    if (ch == ';' || (ch == '/' && !fraction) || (atCommas && ch == ',')) {
      out.push_back(trimmed(piece));
      piece.clear();
    } else {
      piece.push_back(ch);
    }
  }
  out.push_back(trimmed(piece));
  if (atCommas) {
    std::vector<std::u32string> split;
    for (const auto& p : out) {
      std::size_t start = 0;
      const std::u32string folded = foldForMatch(p);
      for (std::size_t at = findWord(folded, kOr); at != kNone;
           at = findWord(folded.substr(start), kOr)) {
        at += start;
        split.push_back(trimmed(std::u32string_view(p).substr(start, at - start)));
        start = at + kOr.size();
      }
      split.push_back(trimmed(std::u32string_view(p).substr(start)));
    }
    out = std::move(split);
  }
  std::erase_if(out, [](const std::u32string& p) { return p.empty(); });
  return out;
}

struct Forms {
  std::vector<std::u32string> primary;
  std::vector<std::u32string> accepted;
  std::vector<std::u32string> hinted;
};

void addForms(std::u32string_view answer, Forms& forms) {
  std::u32string text = asTyped(answer);
  if (const auto at = findAny(text, kRefusing); at != kNone) text.resize(at);

  // Brackets: a remark inside one gives accepted forms; anything else is a hint, left out
  // of the main form and kept in a second one ("(Александр) Пушкин").
  std::u32string main;
  std::u32string withHint;
  bool hint = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t open = text[i];
    if (open != '(' && open != '[') {
      main.push_back(open);
      withHint.push_back(open);
      continue;
    }
    const char32_t close = open == '(' ? ')' : ']';
    std::size_t end = text.find(close, i + 1);
    if (end == kNone) end = text.size();
    const std::u32string inside = trimmed(std::u32string_view(text).substr(i + 1, end - i - 1));
    const std::u32string folded = foldForMatch(inside);
    std::size_t keyword = 0;
    if (findAny(inside, kAccepting, &keyword) == 0) {
      for (auto& f :
           splitAlternatives(afterKeyword(std::u32string_view(inside).substr(keyword)), true))
        forms.accepted.push_back(std::move(f));
    } else if (findWord(folded, kOr) == 0) {
      for (auto& f :
           splitAlternatives(afterKeyword(std::u32string_view(inside).substr(kOr.size())), true))
        forms.accepted.push_back(std::move(f));
    } else if (!inside.empty()) {
      hint = true;
      withHint += U' ' + inside + U' ';
    }
    i = end;
  }

  // A remark after the answer: "Пушкин. Принимается: Александр Пушкин".
  std::size_t keyword = 0;
  if (const auto at = findAny(main, kAccepting, &keyword); at != kNone) {
    for (auto& f :
         splitAlternatives(afterKeyword(std::u32string_view(main).substr(at + keyword)), true))
      forms.accepted.push_back(std::move(f));
    main.resize(at);
  }
  if (const auto at = findAny(withHint, kAccepting); at != kNone) withHint.resize(at);

  for (auto& f : splitAlternatives(main, false))
    forms.primary.push_back(std::move(f));
  if (hint) {
    for (auto& f : splitAlternatives(withHint, false))
      forms.hinted.push_back(std::move(f));
  }
}

bool smallCyrillicWord(std::string_view v) {
  return !v.empty() && std::all_of(v.begin(), v.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xE0;  // "а".."я"
  });
}

// What "Какую царевну…?" and "По проекту какого архитектора…?" ask of a one-word answer the
// key holds in the nominative only: the accusative and genitive of a word on "-а"/"-я"
// ("европу", "европы"), the genitive (and animate accusative) of one on a consonant
// ("монферрана"). A form no player meant is harmless; the nominative alone rejects many.
std::vector<std::string> askedCaseForms(const std::string& word) {
  if (!smallCyrillicWord(word) || word.size() < 3) return {};
  const std::string stem = word.substr(0, word.size() - 1);
  const std::string_view last = std::string_view(word).substr(word.size() - 1);
  if (last == kSmallA) {
    const bool soft = kHushing.find(stem.back()) != std::string_view::npos;
    return {stem + std::string(kAccusativeA),
            stem + std::string(soft ? kGenitiveSoft : kGenitiveA)};
  }
  if (last == kSmallYa)
    return {stem + std::string(kAccusativeYa), stem + std::string(kGenitiveSoft)};
  if (kNotDeclined.find(last[0]) != std::string_view::npos) return {};
  return {word + std::string(kSmallA)};
}

bool isYear(std::string_view v) {
  return v.size() == 4 &&
         std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         v[0] != '0';
}

// The forms a player fairly types for the same answer that need no knowledge of the rest of
// the key: Latin in lower case, a year with its "г" and "год".
std::vector<std::string> twinsOf(const std::string& variant, bool yearsAsked) {
  std::vector<std::string> twins;
  std::string lower = variant;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lower != variant) twins.push_back(lower);
  if (yearsAsked && isYear(variant)) {
    twins.push_back(variant + std::string(kYearShort));
    twins.push_back(variant + std::string(kYearLong));
  }
  return twins;
}

class Slots {
 public:
  explicit Slots(Derived& out) : out_(out) {}

  // The variant as the game stores it, or nothing (with the reason noted).
  std::optional<std::string> accept(const std::u32string& form) {
    const auto cp = exactCp1251(form);
    if (!cp) {
      drop(form, "в нём есть символы, которых нет в кодировке игры (Windows-1251)");
      return std::nullopt;
    }
    std::string variant = normalizeAnswer(*cp);
    if (variant.empty()) return std::nullopt;
    if (variant.find('/') != std::string::npos) {
      drop(form, "знак «/» закрывает список ответов в строке игры");
      return std::nullopt;
    }
    if (variant.size() > kMaxVariantLength) {
      drop(form, "длиннее 24 символов: игра сравнивает только 24");
      return std::nullopt;
    }
    return variant;
  }

  void add(const std::string& variant) {
    auto& v = out_.variants;
    if (v.size() < kMaxVariants && std::find(v.begin(), v.end(), variant) == v.end())
      v.push_back(variant);
  }

 private:
  void drop(const std::u32string& form, const char* why) {
    out_.dropped.push_back("«" + toUtf8(form) + "»: " + why);
  }
  Derived& out_;
};

}  // namespace

Derived deriveVariants(std::string_view questionCp, const std::vector<std::string>& answers) {
  Forms forms;
  for (const auto& answer : answers)
    addForms(toUtf32(answer), forms);

  const bool howMany = foldForMatch(toUtf32(kelmora::toUtf8(questionCp))).starts_with(kHowMany);

  Derived out;
  Slots slots(out);
  // Best first: the answers themselves, then their twins, then what remarks accept, then the
  // forms with a hint, so that five slots keep what most players type.
  auto tier = [&](const std::vector<std::u32string>& list) {
    std::vector<std::string> kept;
    for (const auto& form : list) {
      if (auto v = slots.accept(form)) {
        slots.add(*v);
        kept.push_back(std::move(*v));
      }
    }
    for (const auto& v : kept) {
      for (const auto& twin : twinsOf(v, !howMany))
        slots.add(twin);
    }
    // The game's fair-key rules, exactly as the checker applies them: what it would warn
    // about is filled in where there is room.
    for (const auto& missing : missingTwins(questionCp, out.variants)) {
      if (std::find(kept.begin(), kept.end(), missing.variant) != kept.end())
        slots.add(missing.twin);
    }
  };
  tier(forms.primary);
  if (!out.variants.empty() && forms.primary.size() == 1 &&
      forms.primary[0].find(U' ') == std::u32string::npos &&
      lacksAskedCase(questionCp, out.variants)) {
    for (const auto& form : askedCaseForms(out.variants.front()))
      slots.add(form);
  }
  tier(forms.accepted);
  tier(forms.hinted);
  return out;
}

namespace {

std::u32string oneLine(std::string_view utf8) {
  std::u32string out;
  for (char32_t ch : toUtf32(utf8)) {
    if (isBlank(ch) || ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch < 0xA0)) ch = ' ';
    if (ch == ' ' && (out.empty() || out.back() == ' ')) continue;
    out.push_back(ch);
  }
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

}  // namespace

std::optional<QuestionText> questionText(std::string_view utf8) {
  std::u32string text = oneLine(utf8);
  if (text.empty()) return std::nullopt;
  // The first backslash of a line ends its question, and a line starting with "[" opens a
  // topic: neither may stand in a question's text.
  std::replace(text.begin(), text.end(), U'\\', U'/');
  if (text[0] == '[') text[0] = '(';
  QuestionText out;
  std::u32string replaced;
  for (const char32_t ch : text) {
    const int byte = unicodeToCp1251(ch);
    if (byte < 0) {
      out.text.push_back(kUnmappable);
      if (replaced.find(ch) == kNone) replaced.push_back(ch);
    } else {
      out.text.push_back(static_cast<char>(byte));
    }
  }
  out.replaced = toUtf8(replaced);
  return out;
}

std::string topicName(std::string_view utf8) {
  constexpr std::size_t kMaxName = 100;
  std::u32string name = oneLine(utf8);
  if (name.size() > kMaxName) name.resize(kMaxName);
  if (name.empty()) return std::string(kNoName);
  return toCp1251(toUtf8(name));
}

}  // namespace kelmora::import
