#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "check/base_checker.h"
#include "core/text/cp1251.h"
#include "tools_test_support.h"

namespace kelmora::check {
namespace {

const std::filesystem::path kBuilt = KELMORA_BUILT_DATA_DIR;
const std::filesystem::path kSources = KELMORA_DATA_SOURCE_DIR;

std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Checked together, as the questions of one game: a topic must not repeat the main base.
// Notes are advice to the authors and do not fail the build, except where the shipped key
// rejects the form of the answer its own question asks for.
TEST(ShippedContent, HasNoErrorAndNoWarning) {
  const auto findings = checkBases({{kBuilt / "kelmora.db", "kelmora.db", BaseKind::kMain},
                                    {kBuilt / "zamen.db", "zamen.db", BaseKind::kTopics}});
  for (const auto& file : findings) {
    std::vector<Finding> serious;
    std::copy_if(file.begin(), file.end(), std::back_inserter(serious), [](const Finding& f) {
      return f.severity != Severity::kNote ||
             f.message.find("косвенном падеже") != std::string::npos;
    });
    EXPECT_TRUE(serious.empty()) << test::shown(serious);
  }
}

// The built files hold exactly the sources' text, in the code page and with CR LF.
TEST(ShippedContent, BuiltTextFilesAreTheSourcesInTheCodePage) {
  for (const auto& [source, built] :
       {std::pair{"kelmora.txt", "kelmora.db"}, std::pair{"zamen.txt", "zamen.db"},
        std::pair{"help.txt", "help.txt"}}) {
    std::string expected;
    for (const char c : readFile(kSources / source)) {
      if (c == '\n') expected += '\r';
      expected += c;
    }
    if (!expected.empty() && !expected.ends_with('\n')) expected += "\r\n";
    const std::string bytes = readFile(kBuilt / built);
    EXPECT_EQ(toUtf8(bytes), expected) << built;
  }
}

TEST(ShippedContent, RecordsTableIsBlank) {
  EXPECT_EQ(readFile(kBuilt / "res.res"), std::string(3600, '\0'));
}

}  // namespace
}  // namespace kelmora::check
