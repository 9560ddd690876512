// The rules decide by what the game keeps for itself, never by what it has drawn: a change of
// how a control looks must not change a rule. Every mention of the Screen in the engine is the
// target of a write, and this holds the engine's sources to it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace kelmora {
namespace {

TEST(RulesWriteTheScreen, NoRuleReadsWhatWasDrawn) {
  // A statement that starts with a write into screen_ (after an optional condition on state),
  // or a loop over a part of it that writes each element.
  const std::regex write(
      R"(^\s*(if \(state_\.[^)]*\) )?screen_\.[\w.\[\]()<> :+-]*?( = [^=]|\.set\(|\.clear\(\);))");
  const std::regex loop(R"(^\s*for \(auto& \w+ : screen_\.\w+\)( \{)?$)");
  int writes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KELMORA_ENGINE_SOURCE_DIR)) {
    if (entry.path().extension() != ".cpp" || entry.path().filename() == "screen.cpp") continue;
    std::ifstream in(entry.path());
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
      if (line.find("screen_") == std::string::npos) continue;
      ++writes;
      EXPECT_TRUE(std::regex_search(line, write) || std::regex_search(line, loop))
          << entry.path().filename().string() << ":" << n << " reads the screen: " << line;
    }
  }
  EXPECT_GT(writes, 50) << "the engine's sources were not found";
}

}  // namespace
}  // namespace kelmora
