// The answers against their own question: answers given away by the question, Latin letters
// the player cannot match, forms a player fairly types that the key lacks (years, rulers'
// numbers, apostrophes, the case the question asks for).
#include <algorithm>
#include <optional>

#include "check/check_support.h"
#include "check/wording.h"
#include "core/text/cp1251.h"
#include "core/text/fair_keys.h"

namespace kelmora::check {

namespace {

// A one-letter variant in the question is nearly always a preposition or a conjunction.
constexpr std::size_t kShortestGiveAway = 2;
// A variant stem shorter than this begins too many unrelated words.
constexpr std::size_t kShortestStem = 5;
// Case endings are at most this long ("-ами", "-ого").
constexpr std::size_t kLongestEnding = 3;
// Phrases of up to this many words are tried: "Лев Толстой" gives away «левтолстой».
constexpr std::size_t kLongestPhrase = 3;

bool smallCyrillic(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

bool hasCapitalLatin(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string lowerLatin(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool allDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The written text from the first word of a phrase to its last.
std::string_view spanned(const TypedWord& first, const TypedWord& last) {
  return {first.written.data(), static_cast<std::size_t>(last.written.data() + last.written.size() -
                                                         first.written.data())};
}

// The phrase of the question a player could copy to be judged right with this variant.
std::optional<std::string_view> copiedFrom(std::string_view variant,
                                           const std::vector<TypedWord>& words) {
  if (variant.size() < kShortestGiveAway) return std::nullopt;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string typed;
    for (std::size_t n = 0; n < kLongestPhrase && i + n < words.size(); ++n) {
      typed += words[i + n].typed;
      if (typed == variant) return spanned(words[i], words[i + n]);
      if (typed.size() >= variant.size()) break;
    }
  }
  return std::nullopt;
}

// A word of the question that is another form of the variant: «Москвы» for «москва».
std::optional<std::string_view> formIn(std::string_view variant,
                                       const std::vector<TypedWord>& words) {
  const std::string stemmed = variantStem(variant);
  if (stemmed.size() < kShortestStem) return std::nullopt;
  for (const auto& word : words) {
    const std::string_view typed = word.typed;
    if (!typed.starts_with(stemmed) || typed.size() > stemmed.size() + kLongestEnding) continue;
    if (smallCyrillic(typed.substr(stemmed.size()))) return word.written;
  }
  return std::nullopt;
}

void checkGiveAways(std::string_view text, const std::vector<std::string>& variants, int line,
                    Report& report) {
  const auto words = typedWords(text);
  for (const std::string_view v : variants) {
    if (const auto phrase = copiedFrom(v, words)) {
      report.warning(line, "вариант " + inQuotes(v) + " есть в самом вопросе (" +
                               inQuotes(*phrase) + "): ответ подсказан, его можно переписать");
    } else if (const auto form = formIn(v, words)) {
      report.warning(line, "вариант " + inQuotes(v) + " почти повторяет слово вопроса " +
                               inQuotes(*form) + ": ответ подсказан в самом вопросе");
    }
  }
}

void checkLatinCase(const std::vector<std::string>& variants, int line, Report& report) {
  for (std::size_t k = 0; k < variants.size(); ++k) {
    const std::string_view v = variants[k];
    if (!hasCapitalLatin(v)) continue;
    if (std::find(variants.begin(), variants.begin() + static_cast<std::ptrdiff_t>(k), v) !=
        variants.begin() + static_cast<std::ptrdiff_t>(k)) {
      continue;  // already reported
    }
    const std::string twin = lowerLatin(v);
    if (std::find(variants.begin(), variants.end(), twin) != variants.end()) continue;
    std::string message = "вариант " + inQuotes(v) +
                          " с заглавными латинскими буквами: латиницу игра сравнивает так, "
                          "как её набрали, и ответ " +
                          inQuotes(twin) + " будет засчитан как неверный; добавьте вариант " +
                          inQuotes(twin);
    if (variants.size() >= static_cast<std::size_t>(kAnswerSlots)) {
      message += " (все пять ячеек заняты: уберите вариант, который наберут реже)";
    }
    report.warning(line, message);
  }
}

void checkYearForms(std::string_view text, const std::vector<std::string>& variants, int line,
                    Report& report) {
  constexpr std::size_t kYearDigits = 4;
  const bool asked = asksForYear(text);
  if (!asked && asksHowMany(text)) return;
  for (const std::string_view v : variants) {
    if (!allDigits(v) || v.size() > kYearDigits || (!asked && v.size() != kYearDigits)) continue;
    const std::string shortForm = std::string(v).append("г"_cp);
    const std::string longForm = std::string(v).append("год"_cp);
    const bool formed = std::any_of(variants.begin(), variants.end(), [&](std::string_view w) {
      return w == shortForm || w == longForm;
    });
    if (formed) continue;
    report.note(line, "год " + inQuotes(v) + " без варианта " + inQuotes(shortForm) + " или " +
                          inQuotes(longForm) + ": ответ «" + toUtf8(v) + " г.» или «" + toUtf8(v) +
                          " год» будет засчитан как неверный");
  }
}

bool roomLeft(const std::vector<std::string>& variants) {
  return variants.size() < static_cast<std::size_t>(kAnswerSlots);
}

std::string quotedList(const std::vector<std::string>& forms) {
  std::string out;
  for (const auto& f : forms)
    out += (out.empty() ? "" : ", ") + inQuotes(f);
  return out;
}

void checkFairTwins(std::string_view text, const std::vector<std::string>& variants, int line,
                    Report& report) {
  const auto missing = missingTwins(text, variants);
  for (auto m = missing.begin(); m != missing.end();) {
    const std::string& variant = m->variant;
    std::vector<std::string> twins;
    bool numeral = false;
    for (; m != missing.end() && m->variant == variant; ++m) {
      // The lower-case twin of Latin capitals already has its own warning.
      const bool lowerOfCapitals = std::any_of(variants.begin(), variants.end(), [&](auto& v) {
        return hasCapitalLatin(v) && lowerLatin(v) == m->twin;
      });
      if (lowerOfCapitals) continue;
      const auto numerals = numeralTwins(variant);
      numeral = numeral || std::find(numerals.begin(), numerals.end(), m->twin) != numerals.end();
      twins.push_back(m->twin);
    }
    if (twins.empty()) continue;
    std::string message = "к варианту " + inQuotes(variant) + " нет " +
                          (twins.size() == 1 ? "варианта " : "вариантов ") + quotedList(twins) +
                          (numeral ? ": номер правителя набирают и цифрами, и римскими "
                                     "цифрами латиницей (заглавными или строчными), и "
                                   : ": апостроф игра не удаляет, и ") +
                          (twins.size() == 1 ? "такой ответ будет засчитан как неверный"
                                             : "такие ответы будут засчитаны как неверные");
    if (!roomLeft(variants)) {
      message += " (все пять ячеек заняты: уберите вариант, который наберут реже)";
    }
    report.warning(line, message);
  }
}

void checkObliqueCase(std::string_view text, const std::vector<std::string>& variants, int line,
                      Report& report) {
  if (!lacksAskedCase(text, variants)) return;
  report.note(line,
              "вопрос по первым словам просит ответ в косвенном падеже («Кого ...», "
              "«Какую ...», «По проекту какого ...»), а в ключе одна форма ответа: "
              "добавьте и ту, о которой спрашивают, и начальную (как «рюрика» и "
              "«рюрик»), иначе игрок, ответивший другой, получит «неверно»");
}

}  // namespace

void checkAnswerForms(std::string_view text, const std::vector<std::string>& variants, int line,
                      Report& report) {
  checkGiveAways(text, variants, line, report);
  checkLatinCase(variants, line, report);
  checkFairTwins(text, variants, line, report);
  checkYearForms(text, variants, line, report);
  checkObliqueCase(text, variants, line, report);
}

}  // namespace kelmora::check
