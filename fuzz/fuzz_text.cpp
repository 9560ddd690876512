// The text layer on any bytes: the streaming reader must see the lines splitLines sees (also
// across its buffer's edge and with a line limit), every code-page byte must survive a trip
// through UTF-8, and a typed answer must normalise to the form answers are written in.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/files/text_file.h"
#include "core/text/answer_match.h"
#include "core/text/cp1251.h"
#include "fuzz_files.h"

using namespace kelmora;

namespace {

// The reader's buffer; a file placed across it tests lines and CR LF split between two reads.
constexpr std::size_t kReaderChunk = 64 * 1024;

void checkReader(const std::filesystem::path& file, std::string_view text,
                 const std::vector<std::string>& want, std::size_t maxLine) {
  LineReader reader(file, maxLine);
  std::string line;
  std::size_t n = 0;
  while (reader.next(line)) {
    FUZZ_CHECK(n < want.size());
    FUZZ_CHECK(line == std::string_view(want[n]).substr(0, maxLine));
    FUZZ_CHECK(reader.truncated() == (want[n].size() > maxLine));
    ++n;
  }
  FUZZ_CHECK(n == want.size());
  FUZZ_CHECK(reader.endedWithBreak() ==
             (text.empty() || text.back() == '\r' || text.back() == '\n'));
}

// The reader with each line limit against splitLines on the same bytes.
void checkLines(const std::filesystem::path& dir, std::string_view text,
                std::initializer_list<std::size_t> maxLines) {
  const auto file = dir / "lines.txt";
  fuzz::writeFile(file, text);
  const auto want = splitLines(text);
  for (const std::size_t maxLine : maxLines)
    checkReader(file, text, want, maxLine);
}

bool validUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();)
    if (decodeUtf8(text, pos) == 0xFFFD) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  const auto& dir = fuzz::freshDir();

  const std::size_t maxLine = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % 64;
  checkLines(dir, bytes, {LineReader::kNoLimit, maxLine});
  FUZZ_CHECK(readLines(dir / "lines.txt") == splitLines(bytes));
  // The same bytes again, straddling the edge of the reader's first buffer. The 64 KiB in front
  // cost ten times the rest of the checks, so only every fourth length pays for them.
  if (bytes.size() % 4 == 0) {
    std::string shifted(kReaderChunk - std::min(bytes.size() / 2, kReaderChunk), 'x');
    shifted += bytes;
    checkLines(dir, shifted, {kReaderChunk - 1});
  }

  const std::string utf8 = toUtf8(bytes);
  FUZZ_CHECK(validUtf8(utf8));
  FUZZ_CHECK(toCp1251(utf8) == bytes);
  // Arbitrary bytes read as UTF-8 give one code-page byte a character at most, and those bytes
  // are stable from then on.
  const std::string cp = toCp1251(bytes);
  FUZZ_CHECK(cp.size() <= bytes.size());
  FUZZ_CHECK(toCp1251(toUtf8(cp)) == cp);

  const std::string answer = normalizeAnswer(bytes);
  for (const char ch : answer) {
    const auto c = static_cast<unsigned char>(ch);
    FUZZ_CHECK(!(c >= 0xC0 && c <= 0xDF) && c != 0xA8 && c != 0xB8);
    FUZZ_CHECK(c != ' ' && c != '.' && c != '!' && c != '-');
  }
  FUZZ_CHECK(answer.size() <= bytes.size());
  FUZZ_CHECK(normalizeAnswer(answer) == answer);
  return 0;
}
