#pragma once

// Text files as lines. A line ends at CR LF, or at a lone CR or LF; a break at the very end
// of a file does not make an extra empty line, and an empty file has no lines. Files are
// written back with CR LF.

#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// Reads a file one line at a time, so that a huge file never sits in memory whole.
class LineReader {
 public:
  static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

  // Throws FileError "Cannot open file <name>" when the file cannot be opened or read.
  // A line longer than maxLine keeps its first maxLine bytes and the rest is skipped.
  explicit LineReader(const std::filesystem::path& file, std::size_t maxLine = kNoLimit);

  // The next line without its break; false at the end of the file.
  bool next(std::string& line);

  // Whether the line last returned by next() was cut to maxLine.
  bool truncated() const { return truncated_; }

  // After next() has returned false: whether the file ended with a line break (or was empty),
  // so that text appended after it starts a line of its own either way.
  bool endedWithBreak() const { return endedWithBreak_; }

 private:
  bool fill();

  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string name_;
  std::size_t maxLine_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool skipLf_ = false;
  bool truncated_ = false;
  bool endedWithBreak_ = true;
};

// The lines of a text held in memory.
std::vector<std::string> splitLines(std::string_view text);

// The lines of a whole file; throws FileError "Cannot open file <name>".
std::vector<std::string> readLines(const std::filesystem::path& file);

// Each line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace kelmora
