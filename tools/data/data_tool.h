#pragma once

// kelmora-data: turns the content sources (UTF-8, LF) into the files the game reads
// (Windows-1251, CR LF) and writes the blank records table the game ships with.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora::tools {

// A character the game's files cannot hold, or bytes that are not UTF-8 at all.
struct EncodeProblem {
  int line = 0;    // from 1
  int column = 0;  // in characters, from 1
  std::string message;
};

struct EncodeResult {
  std::string bytes;  // Windows-1251 lines, each ended by CR LF; empty when there are problems
  std::vector<EncodeProblem> problems;
};

// Every problem is collected, so that an author fixes a file in one go. A byte order mark at
// the very start is an editor's marker, not text, and is dropped.
EncodeResult encodeLines(std::string_view utf8);

// The records table as the game ships it: every entry blank (3600 zero bytes).
std::string blankRecords();

// The whole command line after the program name; returns the exit status.
int runDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelmora::tools
