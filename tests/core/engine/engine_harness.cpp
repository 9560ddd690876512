#include "engine/engine_harness.h"

#include <ostream>

namespace kelmora {

void PrintTo(const Screen& s, std::ostream* os) {
  const auto label = [&](const char* name, const Label& l) {
    *os << "\n  " << name << " '" << toUtf8(l.caption) << "'" << (l.enabled ? "" : " (greyed)");
  };
  const auto circles = [&](const char* name, const auto& cs) {
    *os << "\n  " << name;
    for (const auto& c : cs) {
      *os << " " << std::hex << c.colour << std::dec << (c.visible ? "" : "/hidden")
          << (c.letterVisible ? "/B" : "");
    }
  };
  *os << "{caption '" << toUtf8(s.caption) << "'";
  for (const auto& l : s.ladder)
    label("ladder", l);
  circles("v", s.questionCircles);
  circles("z", s.replacementCircles);
  label("bank", s.bank);
  label("Label5", s.questionSeconds);
  label("second", s.roundSeconds);
  label("osttime", s.timeLeft);
  *os << "\n  Memo1" << (s.questionBoxEnabled ? "" : " (greyed)");
  for (const auto& line : s.questionLines)
    *os << " '" << toUtf8(line) << "'";
  *os << "\n  Edit1 '" << toUtf8(s.answerBox.text) << "'"
      << (s.answerBox.enabled ? "" : " (greyed)") << "\n  pass " << s.passEnabled << " replace "
      << s.replaceEnabled << "\n  topics";
  for (const auto& t : s.topicNames)
    *os << " '" << toUtf8(t) << "'";
  *os << (s.topicSelectorEnabled ? "" : " (greyed)")
      << (s.topicSelectorColour == FieldColour::Window ? " window" : " face") << "\n  Label3 '"
      << toUtf8(s.topicCaption) << "' warning " << s.warningVisible << "\n  status '"
      << toUtf8(s.statusPanels[0]) << "' '" << toUtf8(s.statusPanels[1]) << "' N2 "
      << s.newGameEnabled << "\n  gong box at " << static_cast<int>(s.gongPlace)
      << (s.gongBoxVisible ? "" : " hidden") << " value '" << toUtf8(s.gongValue.text) << "'"
      << (s.gongValue.enabled ? "" : " (greyed)") << " choices " << s.gongChoiceEnabled[0]
      << s.gongChoiceEnabled[1] << s.gongChoiceEnabled[2] << " stop " << s.gongStopEnabled << "}";
}

}  // namespace kelmora

namespace kelmora::test {

Screen visiblePart(Screen s) {
  for (auto& c : s.questionCircles) {
    if (!c.visible) c.colour = kNavy;
  }
  if (s.gongPlace != Screen::GongPlace::OverTheClock) {
    s.gongPlace = Screen::GongPlace::PutAway;
    s.gongBoxVisible = false;
    s.gongValue.text = "0";
  }
  return s;
}

std::string mainBaseText(int questions) {
  std::string text;
  for (int i = 0; i < questions; ++i) {
    text += "Q" + std::to_string(i) + "\\a" + std::to_string(i) + "/\r\n";
  }
  return text;
}

std::string topicsText(const std::vector<int>& topicSizes) {
  static const char* names[] = {"История", "Спорт", "Пустая", "Малая"};
  std::string text;
  for (std::size_t t = 0; t < topicSizes.size(); ++t) {
    text += cp(std::string("[") + names[t % 4] + "]\r\n");
    for (int j = 0; j < topicSizes[t]; ++j) {
      text += "T" + std::to_string(j) + "\\t" + std::to_string(j) + "/\r\n";
    }
    text += "%\r\n";
  }
  return text;
}

Harness::Harness(int mainQuestions, std::vector<int> topicSizes,
                 const std::filesystem::path& parent)
    : Harness(mainBaseText(mainQuestions), std::move(topicSizes), parent) {}

Harness::Harness(const std::string& mainBase, std::vector<int> topicSizes,
                 const std::filesystem::path& parent)
    : dir(parent) {
  dir.write("kelmora.db", mainBase);
  dir.write("zamen.db", topicsText(topicSizes));
  dir.write("res.res", std::string(RecordsTable::kFileSize, '\0'));
  game.startUp(cp("Игрок"));
}

void Harness::answerRight() {
  const auto& s = game.state();
  game.checkAnswer((s.replacementShown ? "t" : "a") + std::to_string(s.currentQuestion));
}

std::vector<std::string> Harness::logSinceStart() const {
  std::vector<std::string> out;
  for (std::size_t i = 1; i < log.lines().size(); ++i)
    out.push_back(toUtf8(log.lines()[i]));
  return out;
}

std::vector<std::string> Harness::takeShown() {
  auto out = std::move(prompts.shown);
  prompts.shown.clear();
  return out;
}

}  // namespace kelmora::test
