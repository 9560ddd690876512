// The installed `kelmora` command: prepares the player's own game folder and starts the game
// in it. Qt is used only to show a message when the game cannot be started.
#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "core/text/cp1251.h"
#include "core/view/title.h"
#include "launcher/folder_setup.h"
#include "launcher/launch_options.h"

namespace {

namespace fs = std::filesystem;
using kelmora::launcher::LaunchError;
using kelmora::launcher::Request;

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool displayAvailable() {
  return !variable("DISPLAY").empty() || !variable("WAYLAND_DISPLAY").empty();
}

// Started from the menu there is no terminal to read, so the message also comes as a dialog.
void report(const std::string& message) {
  std::cerr << "kelmora: " << message << std::endl;
  if (!displayAvailable()) return;
  int argc = 1;
  char name[] = "kelmora";
  char* argv[] = {name, nullptr};
  QApplication qt(argc, argv);
  QMessageBox::critical(nullptr, QString::fromStdString(kelmora::toUtf8(kelmora::kGameTitle)),
                        QString::fromStdString(message));
}

std::string homeDirectory() {
  std::string home = variable("HOME");
  if (!home.empty()) return home;
  const passwd* account = ::getpwuid(::getuid());
  return account != nullptr && account->pw_dir != nullptr ? account->pw_dir : "";
}

// The game and its defaults are found from where this program was installed, so the same
// package works under any prefix.
fs::path installedNextTo(const fs::path& relative) {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) {
    throw LaunchError("Не удаётся определить, где установлена игра: " + error.message() + ".");
  }
  return (self.parent_path() / relative).lexically_normal();
}

int run(const std::vector<std::string>& args) {
  Request request = kelmora::launcher::parseArguments(args);
  if (request.kind == Request::Kind::Version) {
    std::cout << "kelmora " KELMORA_VERSION "\n";
    return 0;
  }
  fs::path cwd = fs::current_path();
  kelmora::launcher::FolderEnvironment environment{variable("KELMORA_DIR"),
                                                   variable("XDG_DATA_HOME"), homeDirectory()};
  if (request.kind == Request::Kind::Help) {
    std::string folderLine;
    try {
      folderLine = kelmora::launcher::playerFolder(request.folder, environment, cwd).string();
    } catch (const LaunchError& error) {
      folderLine = error.what();
    }
    std::cout << kelmora::launcher::helpText(folderLine);
    return 0;
  }

  fs::path folder = kelmora::launcher::playerFolder(request.folder, environment, cwd);
  fs::path defaults = request.defaults ? (cwd / *request.defaults).lexically_normal()
                                       : installedNextTo(KELMORA_DEFAULTS_FROM_LAUNCHER);
  fs::path program = request.program ? (cwd / *request.program).lexically_normal()
                                     : installedNextTo(KELMORA_PROGRAM_FROM_LAUNCHER);
  if (::access(program.c_str(), X_OK) != 0) {
    throw LaunchError("Не найдена программа игры «" + program.string() +
                      "»: " + std::strerror(errno) + ". Возможно, игра установлена не полностью.");
  }

  kelmora::launcher::prepareGameFolder(folder, defaults);
  if (::chdir(folder.c_str()) != 0) {
    throw LaunchError("Не удаётся перейти в папку игры «" + folder.string() +
                      "»: " + std::strerror(errno) + ".");
  }
  std::string path = program.string();
  char* gameArgs[] = {path.data(), nullptr};
  ::execv(path.c_str(), gameArgs);
  throw LaunchError("Не удалось запустить программу игры «" + path + "»: " + std::strerror(errno) +
                    ".");
}

}  // namespace

int main(int argc, char* argv[]) {
  // Only for the system's own error texts, which then come in the player's language.
  std::setlocale(LC_ALL, "");
  try {
    return run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const kelmora::launcher::UsageError& error) {
    std::cerr << "kelmora: " << error.what() << std::endl;
    return 2;
  } catch (const std::exception& error) {
    report(error.what());
    return 1;
  }
}
