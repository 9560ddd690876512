#include "check/repeats.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

#include "check/check_support.h"
#include "check/wording.h"

namespace kelmora::check {

namespace {

std::size_t common(const std::vector<int>& a, const std::vector<int>& b) {
  std::size_t n = 0;
  auto i = a.begin();
  auto j = b.begin();
  while (i != a.end() && j != b.end()) {
    if (*i < *j) {
      ++i;
    } else if (*j < *i) {
      ++j;
    } else {
      ++n;
      ++i;
      ++j;
    }
  }
  return n;
}

// More than half of all the subject words of the two questions are common to both.
bool mostlyCommon(const std::vector<int>& a, const std::vector<int>& b) {
  const std::size_t shared = common(a, b);
  return 2 * shared > a.size() + b.size() - shared;
}

// The first variant of a, in the author's order, that b has too.
std::optional<std::string> commonVariant(const std::vector<std::string>& a,
                                         const std::vector<std::string>& b) {
  for (const auto& v : a) {
    if (std::find(b.begin(), b.end(), v) != b.end()) return v;
  }
  return std::nullopt;
}

std::string where(const QuestionPlace& earlier, const QuestionPlace& later) {
  std::string out;
  if (earlier.file != later.file) out += earlier.file + ", в ";
  out += "строке " + std::to_string(earlier.line);
  if (!earlier.topic.empty()) out += ", в теме " + inQuotes(earlier.topic);
  return out;
}

}  // namespace

std::vector<int> RepeatIndex::idsOf(const std::vector<std::string>& words) {
  std::vector<int> ids;
  for (const auto& w : words)
    ids.push_back(wordIds_.try_emplace(w, static_cast<int>(wordIds_.size())).first->second);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return ids;
}

void RepeatIndex::add(std::string_view text, const std::vector<std::string>& variants,
                      QuestionPlace place) {
  const auto words = foldedWords(text);
  if (words.empty()) return;
  std::vector<std::string> stems;
  std::vector<std::string> subject;
  std::string joined;
  for (const auto& w : words) {
    stems.push_back(stem(w));
    if (!frameWord(w)) subject.push_back(stems.back());
    joined += (joined.empty() ? "" : " ") + w;
  }
  entries_.push_back({source_, std::move(place), std::string(text), std::move(joined), idsOf(stems),
                      idsOf(subject), variants});
}

std::vector<RepeatIndex::Repeat> RepeatIndex::repeats() const {
  // Near repeats share more than half of their subject words. Taking each question's words
  // from the rarest on, two such questions share one among the first half of each: only
  // those need comparing, which keeps a big file with a common word from comparing every
  // question with every other.
  std::unordered_map<int, std::size_t> questionsWith;
  for (const auto& e : entries_) {
    for (const int id : e.subject)
      ++questionsWith[id];
  }
  std::unordered_map<std::string, std::size_t> byWords;
  std::map<std::vector<int>, std::size_t> byStems;
  std::unordered_map<int, std::vector<std::size_t>> byRareWord;
  std::vector<Repeat> out;
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const Entry& e = entries_[k];
    std::vector<int> rarest = e.subject;
    std::sort(rarest.begin(), rarest.end(), [&](int a, int b) {
      return std::pair(questionsWith[a], a) < std::pair(questionsWith[b], b);
    });
    rarest.resize((rarest.size() + 1) / 2);

    std::optional<std::size_t> match;
    std::string why;
    bool same = false;
    if (const auto it = byWords.find(e.words); it != byWords.end()) {
      match = it->second;
      same = true;
    } else if (const auto it2 = byStems.find(e.stems); it2 != byStems.end()) {
      match = it2->second;
      why = "те же слова в других формах или в другом порядке";
    } else {
      std::vector<std::size_t> candidates;
      for (const int id : rarest) {
        if (const auto it3 = byRareWord.find(id); it3 != byRareWord.end())
          candidates.insert(candidates.end(), it3->second.begin(), it3->second.end());
      }
      std::sort(candidates.begin(), candidates.end());
      candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
      for (const std::size_t c : candidates) {
        const Entry& other = entries_[c];
        const auto variant = commonVariant(e.variants, other.variants);
        if (variant && mostlyCommon(e.subject, other.subject)) {
          match = c;
          why = "больше половины слов общие, и общий ответ " + inQuotes(*variant);
          break;
        }
      }
    }

    byWords.try_emplace(e.words, k);
    byStems.try_emplace(e.stems, k);
    for (const int id : rarest)
      byRareWord[id].push_back(k);

    if (!match) continue;
    const Entry& earlier = entries_[*match];
    std::string message = same ? "тот же вопрос уже есть в " + where(earlier.place, e.place)
                               : "почти тот же вопрос уже есть в " + where(earlier.place, e.place) +
                                     ": " + inQuotes(earlier.text) + " (" + why + ")";
    out.push_back({e.source, {e.place.file, e.place.line, Severity::kWarning, std::move(message)}});
  }
  return out;
}

}  // namespace kelmora::check
