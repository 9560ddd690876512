#include "launcher/launch_options.h"

namespace kelmora::launcher {

namespace fs = std::filesystem;

namespace {

const char* const kSeeHelp = " Справка: kelmora --help";

}  // namespace

Request parseArguments(const std::vector<std::string>& args) {
  Request request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      request.kind = Request::Kind::Help;
      continue;
    }
    if (arg == "--version") {
      if (request.kind == Request::Kind::Play) request.kind = Request::Kind::Version;
      continue;
    }
    std::optional<fs::path>* target = nullptr;
    std::string name = arg.substr(0, arg.find('='));
    if (name == "--folder") target = &request.folder;
    if (name == "--defaults") target = &request.defaults;
    if (name == "--program") target = &request.program;
    if (target == nullptr) {
      throw UsageError("Неизвестный параметр «" + arg + "»." + kSeeHelp);
    }
    std::string value;
    if (name.size() < arg.size()) {
      value = arg.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw UsageError("После «" + name + "» нужно указать путь." + kSeeHelp);
    }
    if (value.empty()) throw UsageError("Пустой путь в «" + name + "»." + kSeeHelp);
    *target = fs::path(value);
  }
  return request;
}

fs::path playerFolder(const std::optional<fs::path>& option, const FolderEnvironment& env,
                      const fs::path& cwd) {
  if (option) return (cwd / *option).lexically_normal();
  if (!env.kelmoraDir.empty()) return (cwd / env.kelmoraDir).lexically_normal();
  fs::path xdg(env.xdgDataHome);
  if (xdg.is_absolute()) return (xdg / "kelmora").lexically_normal();
  fs::path home(env.home);
  if (home.is_absolute()) return (home / ".local/share/kelmora").lexically_normal();
  throw LaunchError(
      "Не удаётся найти домашнюю папку (переменная HOME не задана), а значит, и папку игры. "
      "Укажите её: kelmora --folder ПАПКА.");
}

std::string helpText(const std::string& folderLine) {
  return "Использование: kelmora [--folder ПАПКА]\n"
         "\n"
         "Запускает викторину «Кельмора». Игроки, рекорды и журнал игры хранятся в папке игры:\n"
         "  " +
         folderLine +
         "\n"
         "\n"
         "Это $XDG_DATA_HOME/kelmora, а если переменная XDG_DATA_HOME не задана, то\n"
         "~/.local/share/kelmora. При первом запуске папка создаётся, и в неё кладутся вопросы\n"
         "(kelmora.db), темы замен (zamen.db), правила (help.txt), пустая таблица рекордов\n"
         "(res.res), пустой журнал (log.txt) и пустой список игроков (account.ini). Файл,\n"
         "который уже есть в папке, никогда не заменяется: чтобы вернуть исходный, удалите его.\n"
         "\n"
         "  --folder ПАПКА  играть в другой папке; то же задаёт переменная KELMORA_DIR\n"
         "  --help          эта справка\n"
         "  --version       версия игры\n"
         "\n"
         "Для разработчиков (игра из дерева сборки):\n"
         "  --defaults ПАПКА  брать файлы для новой папки игры отсюда, а не из установленных\n"
         "  --program ФАЙЛ    запускать эту программу игры, а не установленную\n"
         "\n"
         "Код возврата: 2 — неверная команда, 1 — игру не удалось запустить.\n";
}

}  // namespace kelmora::launcher
