#include "launcher/folder_setup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/files/file_io.h"
#include "core/files/game_files.h"
#include "core/files/temporary_files.h"

namespace kelmora::launcher {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& path) {
  return "«" + path.string() + "»";
}

std::string reason(int error) {
  return std::strerror(error);
}

// Whole contents of a regular file. A FIFO put in the file's place is refused as not a file,
// without hanging the start.
struct Opened {
  int error = 0;  // errno of the open or the read, 0 when they worked
  bool regular = false;
  std::string bytes;
};

Opened readWhole(const fs::path& file, bool wantBytes) {
  Opened result;
  InputFile in(file);
  if (!in.isOpen()) {
    if (in.error() != EISDIR && in.error() != ENXIO) result.error = in.error();
    return result;
  }
  result.regular = true;
  if (!wantBytes) return result;
  char buffer[65536];
  for (;;) {
    const auto got = in.read(buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      result.error = errno;
      return result;
    }
    result.bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return result;
}

// Whether the folder already has `name`. What is there must be a file the game can read:
// anything else would only fail later, in the middle of the game, and maybe lose a result.
bool alreadyThere(const fs::path& folder, std::string_view name) {
  fs::path file = folder / name;
  struct stat st {};
  if (::lstat(file.c_str(), &st) != 0) {
    if (errno == ENOENT) return false;
    throw LaunchError("Не удаётся проверить файл " + quoted(file) + ": " + reason(errno) + ".");
  }
  Opened opened = readWhole(file, false);
  if (opened.error != 0) {
    throw LaunchError("Файл " + quoted(file) + " в папке игры не читается: " +
                      reason(opened.error) + ". Игра не запущена, чтобы ничего не потерять.");
  }
  if (!opened.regular) {
    throw LaunchError(quoted(file) + " в папке игры — не обычный файл. Уберите его, и игра " +
                      "создаст его заново.");
  }
  return true;
}

// Creates each missing directory of `path`, private to the player.
void makeFolder(const fs::path& path) {
  fs::path sofar;
  for (const fs::path& part : path) {
    sofar /= part;
    if (::mkdir(sofar.c_str(), 0700) == 0 || errno == EEXIST) continue;
    int error = errno;
    // A directory that exists but cannot be listed answers EACCES, not EEXIST.
    struct stat st {};
    if (::stat(sofar.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
    throw LaunchError("Не удалось создать папку игры " + quoted(path) + ": " + reason(error) + ".");
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    throw LaunchError("Не удалось создать папку игры " + quoted(path) + ": " + reason(ENOTDIR) +
                      ".");
  }
}

mode_t currentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

[[noreturn]] void cannotWrite(const fs::path& file, int error) {
  throw LaunchError("Не удалось записать файл " + quoted(file) + ": " + reason(error) + ".");
}

// Writes a new file whole or not at all: a start cut short never leaves half a question base
// behind, which the next start would then keep as the player's own. A file that appeared in
// the meantime wins.
void writeNew(const fs::path& file, const std::string& bytes, mode_t mode) {
  // Named as the game names its own temporaries, so that a copy killed half-way leaves a file
  // the next start recognises as its leftover and removes.
  std::string temp;
  FileDescriptor fd;
  for (int attempt = 0; !fd && attempt < 100; ++attempt) {
    temp = (file.parent_path() / temporaryName(file.filename().string(), ::getpid(), attempt))
               .string();
    fd = createExclusive(temp, 0600);
    if (!fd && errno != EEXIST) break;
  }
  if (!fd) cannotWrite(file, errno);
  struct Cleanup {
    const std::string& path;
    bool armed = true;
    ~Cleanup() {
      if (armed) ::unlink(path.c_str());
    }
  } cleanup{temp};

  if (::fchmod(fd.get(), mode & ~currentUmask()) != 0) cannotWrite(file, errno);
  if (!writeAll(fd, temp, bytes) || !syncFile(fd, temp) || !closeFile(fd, temp)) {
    cannotWrite(file, errno);
  }

  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0) {
    cleanup.armed = false;
    return;
  }
  int error = errno;
  if (error == EEXIST) return;
  if (error == EINVAL || error == ENOSYS) {
    // A file system without the no-replace rename: a hard link never replaces either.
    if (::link(temp.c_str(), file.c_str()) == 0 || errno == EEXIST) return;
    error = errno;
  }
  cannotWrite(file, error);
}

}  // namespace

void prepareGameFolder(const fs::path& folder, const fs::path& defaults) {
  struct stat st {};
  bool exists = ::stat(folder.c_str(), &st) == 0;
  // ENOTDIR: a file in the way, which creating the folder reports better.
  if (!exists && errno != ENOENT && errno != ENOTDIR) {
    throw LaunchError("Не удаётся открыть папку игры " + quoted(folder) + ": " + reason(errno) +
                      ".");
  }
  if (exists && !S_ISDIR(st.st_mode)) {
    throw LaunchError(quoted(folder) + " — не папка, а игре нужна папка для её файлов.");
  }

  struct Missing {
    std::string_view name;
    std::string bytes;
    mode_t mode;
  };
  std::vector<Missing> missing;
  for (const GameFile& file : kGameFiles) {
    if (exists && alreadyThere(folder, file.name)) continue;
    if (!file.shipped) {
      missing.push_back({file.name, std::string(), file.mode});
      continue;
    }
    fs::path source = defaults / file.name;
    Opened shipped = readWhole(source, true);
    if (shipped.error != 0 || !shipped.regular) {
      std::string why = shipped.error != 0 ? reason(shipped.error) : "это не обычный файл";
      throw LaunchError("Не найдены файлы игры по умолчанию: " + quoted(source) + " — " + why +
                        ". Возможно, игра установлена не полностью; переустановите её.");
    }
    missing.push_back({file.name, std::move(shipped.bytes), file.mode});
  }
  // What a launcher or a game killed in the middle of writing a file here left behind.
  if (exists) {
    removeStaleTemporaries(folder, [](std::string_view name) {
      return std::any_of(kGameFiles.begin(), kGameFiles.end(),
                         [name](const GameFile& file) { return file.name == name; });
    });
  }
  if (missing.empty()) return;
  // A complete folder may be read-only: the game then rewrites its files in place. Only
  // files that are missing need the folder to be writable.
  if (exists && ::access(folder.c_str(), W_OK | X_OK) != 0) {
    throw LaunchError("В папку игры " + quoted(folder) + " нельзя записывать: " + reason(errno) +
                      ". Игра не может добавить в неё недостающие файлы.");
  }

  if (!exists) makeFolder(folder);
  for (const Missing& file : missing)
    writeNew(folder / file.name, file.bytes, file.mode);
  syncDirectoryOf(folder / missing.front().name);
}

}  // namespace kelmora::launcher
