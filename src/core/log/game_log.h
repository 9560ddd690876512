#pragma once

// The game log, log.txt: every event of every game as one line. This run's lines are kept in
// memory and reach the file when the program ends, after all lines already in it.

#include <filesystem>
#include <string>
#include <vector>

namespace kelmora {

class AtomicFile;

inline constexpr const char* kLogFile = "log.txt";

class GameLog {
 public:
  explicit GameLog(std::filesystem::path dir);

  // Checks that log.txt can be read. Throws FileError "Cannot open file log.txt" when it is
  // missing or unreadable; the log then starts empty and the run goes on.
  void load();

  void appendLog(std::string line) { lines_.push_back(std::move(line)); }
  const std::vector<std::string>& lines() const { return lines_; }

  // Appends the two closing lines and writes the file: the lines already in log.txt (read
  // again now, so a huge log never sits in memory), then this run's lines, all ending in
  // CR LF. A log.txt that exists but cannot be read is never overwritten: the run's lines
  // then go to the first free log-N.txt beside it, whose name is returned.
  // Throws FileError "Cannot create file <name>".
  std::filesystem::path closeAndSave(const std::string& date, const std::string& time);

 private:
  std::filesystem::path writeRunTo(const std::filesystem::path& target) const;
  void writeRun(AtomicFile& out) const;

  std::filesystem::path dir_;
  std::vector<std::string> lines_;
};

}  // namespace kelmora
