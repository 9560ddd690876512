// Any bytes as log.txt, then a run that logs a few lines (one of them the input's first bytes,
// breaks and all) and closes: the saved log must be the old lines (with their breaks made
// CR LF) followed by this run's, each of them one line, ending in the closing lines.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>

#include "core/files/text_file.h"
#include "core/log/game_log.h"
#include "core/text/cp1251.h"
#include "core/text/one_line.h"
#include "fuzz_files.h"

using namespace kelmora;

namespace {

// Named constants rather than literals inside the function: clang 14 crashes on a const local
// std::string initialised straight from a _cp literal.
constexpr std::string_view kStarted = "[Начало игры] Игрок"_cp;
constexpr std::string_view kAsked = "[Вопрос] - 17(1000)"_cp;
constexpr std::string_view kClosed = "[Завершение работы] 07.12.2025 23:59:59"_cp;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  const auto& dir = fuzz::freshDir();
  fuzz::writeFile(dir / kLogFile, bytes);

  GameLog log(dir);
  log.load();
  FUZZ_CHECK(log.lines().empty());
  log.appendLog(std::string(kStarted));
  log.appendLog(std::string(kAsked));
  const auto typed = bytes.substr(0, 64);
  log.appendLog(typed);

  const auto written = log.closeAndSave("07.12.2025", "23:59:59");
  FUZZ_CHECK(written == dir / kLogFile);

  const std::string old = joinLines(splitLines(bytes));
  const std::string run =
      std::string(kStarted) + "\r\n" + std::string(kAsked) + "\r\n" + oneLine(typed) + "\r\n";
  const std::string closing = std::string(kClosed) + "\r\n" + std::string(61, '=') + "\r\n";
  const std::string saved = fuzz::readFile(written);
  FUZZ_CHECK(saved.starts_with(old));
  FUZZ_CHECK(saved.ends_with(closing));
  FUZZ_CHECK(saved == old + run + closing);
  // Nothing but the log itself: no temporary file and no side file.
  FUZZ_CHECK(std::distance(std::filesystem::directory_iterator(dir),
                           std::filesystem::directory_iterator()) == 1);
  return 0;
}
