// Any bytes as kelmora.db: the loader must report rather than crash, and every row it keeps must
// be what the line functions make of that line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bases/main_base.h"
#include "core/files/text_file.h"
#include "core/text/cp1251.h"
#include "fuzz_files.h"

using namespace kelmora;

namespace {

// The row the line functions give one line; false for an erroneous line.
bool expectedRow(std::string_view line, std::string& text, AnswerRow& row) {
  const auto split = splitMainLine(line);
  if (!split) return false;
  FUZZ_CHECK(!split->text.empty());
  FUZZ_CHECK(split->answerPart.size() >= 3);
  FUZZ_CHECK(split->text.size() + 1 + split->answerPart.size() == line.size());
  FUZZ_CHECK(line[split->text.size()] == '\\');

  const AnswerPart part = splitAnswerPart(split->answerPart);
  FUZZ_CHECK(!part.variants.empty());
  // The variants and their single separators are the start of the answer part, uncut.
  std::size_t used = 0;
  for (const auto v : part.variants) {
    FUZZ_CHECK(split->answerPart.substr(used, v.size()) == v);
    FUZZ_CHECK(v.find_first_of(" /") == std::string_view::npos);
    used += v.size() + 1;
  }
  FUZZ_CHECK(part.closed ? split->answerPart[used - 1] == '/'
                         : used == split->answerPart.size() + 1);

  row = answerRow(part);
  for (std::size_t k = 0; k < row.size(); ++k) {
    const std::string_view want = k < part.variants.size() ? part.variants[k] : "xcode"_cp;
    FUZZ_CHECK(row[k] == want.substr(0, AnswerVariant::kCapacity));
  }
  text = std::string(split->text);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  const auto& dir = fuzz::freshDir();
  fuzz::writeFile(dir / kMainBaseFile, bytes);

  QuestionBase base;
  std::vector<std::string> notes;
  loadMainBase(dir, base, [&](const std::string& message) { notes.push_back(message); });

  const auto lines = splitLines(bytes);
  const int kept = std::min<int>(static_cast<int>(lines.size()), base.capacity());
  FUZZ_CHECK(base.questionCount == kept);

  std::size_t note = 0;
  for (int i = 0; i < kept; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const std::string_view line = std::string_view(lines[index]).substr(0, kMaxLineLength);
    std::string text;
    AnswerRow row;
    if (expectedRow(line.empty() ? "error" : line, text, row)) {
      FUZZ_CHECK(base.questionTexts[index] == text);
      FUZZ_CHECK(base.answerVariants[index] == row);
    } else {
      FUZZ_CHECK(base.questionTexts[index].empty());
      FUZZ_CHECK(base.answerVariants[index] == AnswerRow{});
      FUZZ_CHECK(note < notes.size() && notes[note++] == erroneousLineMessage(i + 1));
    }
  }
  if (lines.size() > static_cast<std::size_t>(base.capacity())) {
    FUZZ_CHECK(note < notes.size() &&
               notes[note++] == mainBaseOverflowMessage(static_cast<long long>(lines.size())));
  }
  FUZZ_CHECK(note == notes.size());
  return 0;
}
