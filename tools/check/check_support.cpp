#include "check/check_support.h"

#include <stdlib.h>

#include <algorithm>

#include "common/strict_utf8.h"
#include "core/bases/question_table.h"
#include "core/files/file_error.h"
#include "core/files/text_file.h"
#include "core/text/answer_match.h"
#include "core/text/cp1251.h"

namespace kelmora::check {

namespace fs = std::filesystem;

void Report::add(int line, Severity severity, std::string message) {
  findings_.push_back({file_, line, severity, std::move(message)});
}

namespace {

void sortByLine(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

}  // namespace

std::vector<Finding> Report::take() {
  sortByLine(findings_);
  return std::move(findings_);
}

void withRepeats(std::vector<Finding>& findings, const std::vector<RepeatIndex::Repeat>& repeats,
                 std::size_t source) {
  for (const auto& r : repeats) {
    if (r.source == source) findings.push_back(r.finding);
  }
  sortByLine(findings);
}

std::optional<RawFile> readRaw(const fs::path& file, Report& report) {
  std::error_code ec;
  const auto status = fs::status(file, ec);
  if (!fs::exists(status)) {
    report.error(0, "файл не найден");
    return std::nullopt;
  }
  if (fs::is_directory(status)) {
    report.error(0, "это каталог, а не файл");
    return std::nullopt;
  }
  try {
    LineReader reader(file, kMaxLineLength);
    RawFile raw;
    std::string line;
    while (reader.next(line)) {
      raw.lines.push_back(line);
      raw.cut.push_back(reader.truncated());
    }
    return raw;
  } catch (const FileError&) {
    report.error(0, "не удаётся прочитать файл: игра его тоже не откроет");
    return std::nullopt;
  }
}

int utf8Line(const std::vector<std::string>& lines) {
  long long inSequences = 0;
  long long stray = 0;
  int first = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    std::size_t pos = 0;
    while (pos < line.size()) {
      if (static_cast<unsigned char>(line[pos]) < 0x80) {
        ++pos;
        continue;
      }
      const std::size_t start = pos;
      if (tools::decodeStrictUtf8(line, pos)) {
        inSequences += static_cast<long long>(pos - start);
        if (first == 0) first = static_cast<int>(i) + 1;
      } else {
        ++stray;
      }
    }
  }
  return inSequences > stray ? first : 0;
}

ScratchDir::ScratchDir(const char* gameName) {
  std::string pattern = (fs::temp_directory_path() / "kelmora-check-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw FileError::cannotOpen(gameName);
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

StagedBase::StagedBase(const fs::path& file, const char* gameName) {
  if (file.filename() == gameName) {
    dir_ = file.parent_path();
    return;
  }
  scratch_.emplace(gameName);
  std::error_code ec;
  fs::copy_file(file, scratch_->path() / gameName, ec);
  if (ec) throw FileError::cannotOpen(gameName);
}

std::string inQuotes(std::string_view cp) {
  return "«" + toUtf8(cp) + "»";
}

std::string counted(long long n, const char* one, const char* few, const char* many) {
  const long long tens = n % 100;
  const long long units = n % 10;
  const char* word = many;
  if (tens < 11 || tens > 14) {
    if (units == 1) word = one;
    if (units >= 2 && units <= 4) word = few;
  }
  return std::to_string(n) + " " + word;
}

namespace {

constexpr std::size_t kSlotLength = AnswerVariant::kCapacity;

std::string emptyVariantCause(const AnswerPart& part, std::size_t k) {
  if (part.variants.size() == 1) return "ответ не указан";
  if (k == 0) return "пробел сразу после «\\»";
  if (k + 1 == part.variants.size()) {
    return part.closed ? "пробел перед «/»" : "пробел в конце строки";
  }
  return "два пробела подряд";
}

void checkVariant(const AnswerPart& part, std::size_t k, int line, Report& report) {
  const std::string_view v = part.variants[k];
  if (v.empty()) {
    report.error(line, "пустой вариант ответа (" + emptyVariantCause(part, k) +
                           "): игра засчитает как верный ответ из одних пробелов, точек, «!» "
                           "или «-»");
    return;
  }
  std::string bad;
  for (const char c : v) {
    if (survivesNormalisation(c)) continue;
    const std::string shown = c == ' ' ? "«пробел»" : inQuotes(std::string_view(&c, 1));
    if (bad.find(shown) == std::string::npos) bad += (bad.empty() ? "" : ", ") + shown;
  }
  if (!bad.empty()) {
    report.error(line, "вариант " + inQuotes(v) +
                           " никогда не совпадёт с ответом игрока: игра переводит ответ в "
                           "строчные буквы, читает «ё» как «е» и удаляет пробелы, «.», «!» и "
                           "«-», а в варианте есть " +
                           bad);
  }
  if (v.size() > kSlotLength) {
    report.error(line, "вариант " + inQuotes(v) + " длиннее " + std::to_string(kSlotLength) +
                           " символов (" + std::to_string(v.size()) + "): игра хранит только " +
                           inQuotes(v.substr(0, kSlotLength)) +
                           ", и полный ответ будет засчитан как неверный");
  }
}

void checkExtraVariants(const AnswerPart& part, int line, Report& report) {
  const AnswerRow row = answerRow(part);
  std::string lost;
  int lostCount = 0;
  for (std::size_t k = row.size(); k < part.variants.size(); ++k) {
    const std::string_view v = part.variants[k];
    const bool kept = std::any_of(row.begin(), row.end(), [v](const auto& s) { return s == v; });
    if (v.empty() || kept || lost.find(inQuotes(v)) != std::string::npos) continue;
    lost += (lost.empty() ? "" : ", ") + inQuotes(v);
    ++lostCount;
  }
  const std::string count = std::to_string(part.variants.size());
  if (!lost.empty()) {
    report.error(line, "вариантов больше пяти (" + count + "): игра читает только первые пять, и " +
                           (lostCount == 1 ? "ответ " + lost + " будет засчитан как неверный"
                                           : "ответы " + lost + " будут засчитаны как неверные"));
  } else {
    report.warning(line, "вариантов больше пяти (" + count +
                             "): игра читает только первые пять, остальные пусты или "
                             "повторяют их");
  }
}

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

void checkQuestion(std::string_view text, std::string_view answerPart, int line, Report& report) {
  if (trimmed(text).empty()) report.error(line, "пустой текст вопроса: игрок увидит пустой вопрос");
  const AnswerPart part = splitAnswerPart(answerPart);
  if (!part.closed) {
    report.warning(line, "нет «/» после ответов: игра считает ответами всё до конца строки");
  } else {
    const auto slash = answerPart.find('/');
    const std::string_view after = trimmed(answerPart.substr(slash + 1));
    if (!after.empty()) {
      report.warning(line, "текст после «/» (" + inQuotes(after) +
                               ") игра не читает: варианты разделяются пробелами, а «/» "
                               "закрывает список");
    }
  }
  const std::size_t read = std::min<std::size_t>(part.variants.size(), kAnswerSlots);
  for (std::size_t k = 0; k < read; ++k)
    checkVariant(part, k, line, report);
  for (std::size_t k = 1; k < part.variants.size(); ++k) {
    const std::string_view v = part.variants[k];
    const auto earlier = part.variants.begin() + static_cast<std::ptrdiff_t>(k);
    if (!v.empty() && std::count(part.variants.begin(), earlier, v) == 1) {
      report.warning(line, "вариант " + inQuotes(v) + " повторяется в этой строке");
    }
  }
  if (part.variants.size() > kAnswerSlots) checkExtraVariants(part, line, report);
  checkAnswerForms(text, storedVariants(answerPart), line, report);
}

std::vector<std::string> storedVariants(std::string_view answerPart) {
  const AnswerPart part = splitAnswerPart(answerPart);
  std::vector<std::string> out;
  for (std::size_t k = 0; k < std::min<std::size_t>(part.variants.size(), kAnswerSlots); ++k) {
    const auto v = part.variants[k].substr(0, kSlotLength);
    if (!v.empty()) out.emplace_back(v);
  }
  return out;
}

}  // namespace kelmora::check
