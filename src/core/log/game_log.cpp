#include "core/log/game_log.h"

#include <optional>

#include "core/text/atomic_file.h"
#include "core/text/cp1251.h"
#include "core/text/file_error.h"
#include "core/text/text_file.h"

namespace kelmora {

namespace {

std::filesystem::path freeSideFile(const std::filesystem::path& dir) {
  for (int n = 1;; ++n) {
    auto candidate = dir / ("log-" + std::to_string(n) + ".txt");
    std::error_code ec;
    if (!std::filesystem::exists(candidate, ec) && !ec) return candidate;
    if (n == 10000) throw FileError::cannotCreate(candidate.filename().string());
  }
}

}  // namespace

GameLog::GameLog(std::filesystem::path dir) : dir_(std::move(dir)) {}

void GameLog::load() {
  lines_.clear();
  LineReader reader(dir_ / kLogFile);
  std::string first;
  reader.next(first);  // reading one line proves the file readable without holding it
}

std::filesystem::path GameLog::writeRunTo(const std::filesystem::path& target) const {
  AtomicFile out(target);
  writeRun(out);
  out.commit();
  return target;
}

void GameLog::writeRun(AtomicFile& out) const {
  for (const auto& line : lines_) {
    out.write(line);
    out.write("\r\n");
  }
}

std::filesystem::path GameLog::closeAndSave(const std::string& date, const std::string& time) {
  appendLog(std::string("[Завершение работы] "_cp) + date + " " + time);
  appendLog(std::string(61, '='));

  const auto file = dir_ / kLogFile;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec) && !ec) return writeRunTo(file);

  // The old log goes first, line by line, so that even a huge one never sits in memory. If it
  // cannot be read it is left as it is and this run's lines go beside it.
  std::optional<LineReader> old;
  try {
    old.emplace(file);
  } catch (const FileError&) {
    return writeRunTo(freeSideFile(dir_));
  }
  AtomicFile out(file);
  std::string line;
  for (;;) {
    bool more = false;
    try {
      more = old->next(line);
    } catch (const FileError&) {
      return writeRunTo(freeSideFile(dir_));
    }
    if (!more) break;
    line += "\r\n";
    out.write(line);
  }
  writeRun(out);
  out.commit();
  return file;
}

}  // namespace kelmora
