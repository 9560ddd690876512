#pragma once

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

// The exit status of a shell command, -1 when it did not exit normally.
inline int exitCodeOf(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kelmora::test
