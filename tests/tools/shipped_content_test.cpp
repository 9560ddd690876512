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

// Notes are advice to the authors and do not fail the build.
std::vector<Finding> serious(const std::vector<Finding>& findings) {
  std::vector<Finding> out;
  std::copy_if(findings.begin(), findings.end(), std::back_inserter(out),
               [](const Finding& f) { return f.severity != Severity::kNote; });
  return out;
}

TEST(ShippedContent, MainBaseHasNoErrorAndNoWarning) {
  const auto findings = serious(checkMainBase(kBuilt / "kelmora.db", "kelmora.db"));
  EXPECT_TRUE(findings.empty()) << test::shown(findings);
}

TEST(ShippedContent, TopicsBaseHasNoErrorAndNoWarning) {
  const auto findings = serious(checkTopicsBase(kBuilt / "zamen.db", "zamen.db"));
  EXPECT_TRUE(findings.empty()) << test::shown(findings);
}

// The built files hold exactly the sources' text, in the code page and with CR
// LF.
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
