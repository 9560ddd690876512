#pragma once

// Text files as lines. A line ends at CR LF, or at a lone CR or LF; a break at the very end
// of a file does not make an extra empty line, and an empty file has no lines. Files are
// written back with CR LF.

#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/file_io.h"

namespace kelmora {

// Reads a file one line at a time, so that a huge file never sits in memory whole.
class LineReader {
 public:
  static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

  // Throws FileError "Cannot open file <name>" when the file cannot be opened or read, and
  // at once for anything but a regular file (a FIFO never blocks the game).
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

  InputFile file_;
  std::string name_;
  std::size_t maxLine_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool skipLf_ = false;
  bool truncated_ = false;
  bool endedWithBreak_ = true;
};

// Copies an open text file to out in chunks, every line break made CR LF and an unfinished last
// line ended: the very bytes of its lines joined by joinLines, without ever holding a whole
// line, however long. False when a read fails; out may have had part of the file then.
bool copyWithCrLf(InputFile& in, const std::function<void(std::string_view)>& out);

// The lines of a text held in memory.
std::vector<std::string> splitLines(std::string_view text);

// The lines of a whole file; throws FileError "Cannot open file <name>".
std::vector<std::string> readLines(const std::filesystem::path& file);

// The first maxBytes of a file as lines, read at once however large the file is; cut says
// that there was more. Throws FileError "Cannot open file <name>".
struct TextStart {
  std::vector<std::string> lines;
  bool cut = false;
};
TextStart readStartOf(const std::filesystem::path& file, std::size_t maxBytes);

// Each line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace kelmora
