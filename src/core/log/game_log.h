#pragma once

// The game log, log.txt: every event of every game as one line. This run's lines are kept in
// memory and reach the file when the program ends, after all lines already in it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/game_files.h"

namespace kelmora {

class GameLog {
 public:
  explicit GameLog(std::filesystem::path dir);

  // Checks that log.txt can be read. Throws FileError "Cannot open file log.txt" when it is
  // missing or unreadable; the log then starts empty and the run goes on.
  void load();

  // A control character in the text (a line break above all) becomes a blank: one event is
  // one line of the file.
  void appendLog(std::string_view line);
  const std::vector<std::string>& lines() const { return lines_; }

  // Appends the two closing lines and writes the file: the lines already in log.txt (copied
  // again now, in chunks, so a huge log never sits in memory), then this run's lines, all
  // ending in CR LF. A log.txt that exists but cannot be read is never overwritten: the run's
  // lines then go to the first free log-N.txt beside it, whose name is returned. In a folder
  // that takes no new file, the run's lines are added to the end of a writable log.txt.
  // Throws FileError "Cannot create file <name>".
  std::filesystem::path closeAndSave(const std::string& date, const std::string& time);

 private:
  std::string runText() const;
  std::filesystem::path writeRunTo(const std::filesystem::path& target) const;

  std::filesystem::path dir_;
  std::vector<std::string> lines_;
};

}  // namespace kelmora
