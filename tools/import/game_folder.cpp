#include "import/game_folder.h"

#include <cerrno>
#include <set>

#include "core/bases/topics_base.h"
#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/files/file_io.h"
#include "core/files/folder_lock.h"
#include "core/files/game_files.h"
#include "core/files/text_file.h"
#include "core/text/cp1251.h"

namespace kelmora::import {

namespace {

// A zamen.db this big is not one the game's selector could show; reading it whole would only
// cost memory.
constexpr std::uintmax_t kMaxTopicsFile = std::uintmax_t{64} << 20;

std::string shown(const std::filesystem::path& dir) {
  return dir.string();
}

// The file as it is, or nothing when there is none. A file that is there but cannot be read
// whole is never written over.
std::optional<std::string> readWhole(const std::filesystem::path& file) {
  InputFile in(file);
  if (!in.isOpen()) {
    if (in.error() == ENOENT) return std::nullopt;
    throw ImportError(
        "zamen.db в папке не читается (это не обычный файл или нет прав): "
        "дописать в него темы нельзя");
  }
  if (in.size() > kMaxTopicsFile)
    throw ImportError("zamen.db в папке больше 64 МБ: это не база замен");
  std::string bytes(static_cast<std::size_t>(in.size()), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const auto n = in.read(bytes.data() + got, bytes.size() - got);
    if (n < 0) throw ImportError("zamen.db в папке не читается: дописать в него темы нельзя");
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  // A file that grew while it was read: the rest too, so nothing of it is lost.
  char more[4096];
  for (std::ptrdiff_t n; (n = in.read(more, sizeof more)) > 0;)
    bytes.append(more, static_cast<std::size_t>(n));
  return bytes;
}

}  // namespace

FolderChange addToFolder(const std::filesystem::path& dir, std::vector<TopicBlock> topics,
                         bool rename, bool dryRun) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec))
    throw ImportError("папка " + shown(dir) + " не найдена");
  const auto lock = FolderLock::tryAcquire(dir);
  if (!lock) throw ImportError(toUtf8(alreadyRunningMessage(dir)));
  if (!lock->held()) throw ImportError(toUtf8(cannotLockMessage(dir)));

  const auto file = dir / kTopicsFile;
  const auto old = readWhole(file);
  if (!old && !std::filesystem::exists(dir / kMainBaseFile, ec))
    throw ImportError("в папке " + shown(dir) +
                      " нет ни kelmora.db, ни zamen.db: это не папка игры");

  FolderChange change;
  change.before = old.value_or("");
  std::set<std::string> names;
  int existing = 0;
  if (old) {
    try {
      const TopicList list = loadTopicList(dir, [](const std::string&) {});
      for (const auto& topic : list.topics)
        names.insert(topic.name);
      existing = static_cast<int>(list.topics.size()) + list.topicsBeyondLimit;
    } catch (const FileError&) {
      throw ImportError("zamen.db в папке не читается: дописать в него темы нельзя");
    }
  }
  if (existing + static_cast<int>(topics.size()) > kMaxTopics) {
    throw ImportError("в zamen.db уже " + std::to_string(existing) +
                      " тем; с новыми их будет больше " + std::to_string(kMaxTopics) +
                      ", а столько игра не показывает");
  }

  std::vector<std::string> clashes;
  for (auto& topic : topics) {
    if (names.count(topic.name) != 0) {
      if (!rename) {
        clashes.push_back("«" + toUtf8(topic.name) + "»");
      } else {
        std::string name;
        for (int k = 2; names.count(name = renamed(topic.name, k)) != 0; ++k) {
        }
        change.renames.emplace_back(topic.name, name);
        topic.name = name;
      }
    }
    names.insert(topic.name);
  }
  if (!clashes.empty()) {
    std::string list;
    for (const auto& c : clashes)
      list += (list.empty() ? "" : ", ") + c;
    throw ImportError("в zamen.db уже есть темы с такими названиями: " + list +
                      ". Ничего не записано; --rename даст новым темам названия с номером");
  }

  change.after = change.before;
  if (!change.after.empty() && change.after.back() != '\n' && change.after.back() != '\r')
    change.after += "\r\n";
  change.firstNewLine = static_cast<int>(splitLines(change.after).size()) + 1;
  change.after += renderTopics(topics);
  if (dryRun) return change;
  try {
    writeFileAtomically(file, change.after);
  } catch (const FileError& e) {
    throw ImportError(std::string("zamen.db не записан (") + e.what() + "); файл остался прежним");
  }
  return change;
}

}  // namespace kelmora::import
