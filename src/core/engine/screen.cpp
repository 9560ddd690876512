#include "core/engine/screen.h"

#include "core/text/cp1251.h"

namespace kelmora {

std::string ladderCaption(int round) {
  static constexpr std::string_view kCaptions[] = {
      "1. Раунд:      1000"_cp, "2. Раунд:      2500"_cp, "3. Раунд:      5000"_cp,
      "4. Раунд:    15000"_cp,  "5. Раунд:    50000"_cp,
  };
  return std::string(kCaptions[round - 1]);
}

Screen initialScreen() {
  Screen s;
  for (int r = 1; r <= 5; ++r)
    s.ladder[static_cast<std::size_t>(r - 1)] = {ladderCaption(r), false};
  // The designer left the question circles and their letters showing; start-up hides them.
  for (auto& c : s.questionCircles)
    c = {kNavy, true, true};
  for (auto& c : s.replacementCircles)
    c = {kNavy, false, false};
  s.bank = {"0", false};
  s.questionSeconds = {"0", false};
  s.roundSeconds = {"0", false};
  s.timeLeft = {"4:00", false};
  s.questionLines = {"", std::string("   Для того, чтобы начать игру жмите \"F2\""_cp)};
  s.topicCaption = std::string("Выберите тему для замены:"_cp);
  s.gongValue.text = "0";
  return s;
}

}  // namespace kelmora
