#include "core/log/game_log.h"

#include <cerrno>

#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/files/file_io.h"
#include "core/files/text_file.h"
#include "core/text/cp1251.h"
#include "core/text/one_line.h"

namespace kelmora {

namespace {

std::filesystem::path freeSideFile(const std::filesystem::path& dir) {
  for (int n = 1;; ++n) {
    auto candidate = dir / ("log-" + std::to_string(n) + ".txt");
    // A dangling link counts as taken: writing through it would put the lines elsewhere.
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(candidate, ec);
    if (status.type() == std::filesystem::file_type::not_found) return candidate;
    if (n == 10000) throw FileError::cannotCreate(candidate.filename().string());
  }
}

}  // namespace

GameLog::GameLog(std::filesystem::path dir) : dir_(std::move(dir)) {}

void GameLog::load() {
  lines_.clear();
  // Reading a byte proves the file readable; a line could be as long as the whole file.
  InputFile in(dir_ / kLogFile);
  char first = 0;
  if (!in.isOpen() || in.read(&first, 1) < 0) throw FileError::cannotOpen(kLogFile);
}

void GameLog::appendLog(std::string_view line) {
  lines_.push_back(oneLine(line));
}

std::string GameLog::runText() const {
  std::string text;
  for (const auto& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::filesystem::path GameLog::writeRunTo(const std::filesystem::path& target) const {
  writeFileAtomically(target, runText());
  return target;
}

std::filesystem::path GameLog::closeAndSave(const std::string& date, const std::string& time) {
  appendLog(std::string("[Завершение работы] "_cp) + date + " " + time);
  appendLog(std::string(61, '='));

  // A log that is there but cannot be read is left as it is, and this run's lines go beside it.
  const auto file = dir_ / kLogFile;
  InputFile old(file);
  if (!old.isOpen()) return writeRunTo(old.error() == ENOENT ? file : freeSideFile(dir_));

  AtomicFile out(file);
  if (out.inPlace()) {
    // The old log cannot be copied into a file that is being rewritten where it lies, and
    // holding a log of any size in memory is no answer; this run's lines are added at its end
    // instead, after a break if it had none. A log the game wrote (CR LF throughout) comes
    // out exactly as from a full rewrite.
    // Only its last byte tells whether it ended with a break; it need not be read whole.
    char last = '\n';
    if (old.size() > 0 && old.readAt(&last, 1, old.size() - 1) != 1) {
      return writeRunTo(freeSideFile(dir_));
    }
    const bool endedWithBreak = last == '\r' || last == '\n';
    if (!appendInPlace(out.file(), (endedWithBreak ? "" : "\r\n") + runText())) {
      throw FileError::cannotCreate(kLogFile);
    }
    return file;
  }
  // The old log goes first, in chunks, so that even a huge one never sits in memory.
  if (!copyWithCrLf(old, [&out](std::string_view bytes) { out.write(bytes); })) {
    return writeRunTo(freeSideFile(dir_));
  }
  out.write(runText());
  out.commit();
  return file;
}

}  // namespace kelmora
