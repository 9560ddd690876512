#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "check/base_checker.h"
#include "core/text/cp1251.h"
#include "test_support.h"

namespace kelmora::test {

// A base file as the game reads it: code page, CR LF.
inline std::string cpLines(const std::vector<std::string>& utf8Lines) {
  std::string out;
  for (const auto& line : utf8Lines)
    out += toCp1251(line) + "\r\n";
  return out;
}

// What a failing expectation shows: the findings as the author would see them.
inline std::string shown(const std::vector<check::Finding>& findings) {
  std::string out;
  for (const auto& f : findings)
    out += check::formatFinding(f) + "\n";
  return out.empty() ? "(no findings)\n" : out;
}

constexpr check::Severity E = check::Severity::kError;
constexpr check::Severity W = check::Severity::kWarning;
constexpr check::Severity N = check::Severity::kNote;

// One finding a test expects: its line, its severity and a part of its message (UTF-8).
struct Expect {
  int line;
  check::Severity severity;
  std::string fragment;
};

// Every expected finding is there, and nothing else is.
inline void expectFindings(const std::vector<check::Finding>& found,
                           const std::vector<Expect>& expected) {
  EXPECT_EQ(found.size(), expected.size()) << shown(found);
  for (const auto& e : expected) {
    bool hit = false;
    for (const auto& f : found) {
      hit = hit || (f.line == e.line && f.severity == e.severity &&
                    f.message.find(e.fragment) != std::string::npos);
    }
    EXPECT_TRUE(hit) << "missing at line " << e.line << ": " << e.fragment << "\n" << shown(found);
  }
}

// The exit status of a shell command, -1 when it did not exit normally.
inline int exitCodeOf(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kelmora::test
