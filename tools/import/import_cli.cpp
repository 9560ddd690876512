#include "import/import_cli.h"

#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <ostream>

#include "check/base_checker.h"
#include "check/check_support.h"
#include "common/licence.h"
#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/files/file_io.h"
#include "core/files/game_files.h"
#include "core/text/cp1251.h"
#include "import/game_folder.h"
#include "import/siq_reader.h"
#include "import/table_reader.h"
#include "import/topics_plan.h"

namespace kelmora::import {

namespace {

namespace fs = std::filesystem;

constexpr int kBadUse = 2;
constexpr std::uintmax_t kMaxTableBytes = std::uintmax_t{64} << 20;

constexpr const char* kHelp =
    R"(Использование: kelmora-import [ПАРАМЕТРЫ] ФАЙЛ

Переносит вопросы из таблицы (CSV, TSV) или пакета .siq в темы замен игры «Кельмора».
Без -o и --into темы выводятся в стандартный вывод в исходном виде (UTF-8, как
data/zamen.txt), отчёт — в стандартный поток ошибок.

  -o, --output ФАЙЛ  записать темы в ФАЙЛ (UTF-8)
  --into ПАПКА       добавить темы в zamen.db папки игры (Windows-1251): файл
                     переписывается целиком, существующие темы не меняются ни на байт;
                     пока идёт запись, игру в этой папке запустить нельзя
  --rename           тему, название которой в zamen.db уже есть, назвать «Тема (2)»;
                     без него такой импорт отменяется целиком
  --dry-run          показать отчёт и проверку, ничего не записывая
  --topic НАЗВАНИЕ   тема для строк таблицы без столбца темы (иначе — имя файла)
  --format ВИД       csv, tsv или siq (иначе — по расширению и содержимому)
  --help             эта справка
  --version          версия и лицензия

Таблица: столбец вопроса и столбец ответа; дальше — ещё ответы или один столбец
вариантов через «;» или «/»; по желанию — столбец темы. Первая строка считается
заголовком, если в ней есть «Вопрос» и «Ответ» (или question, answer; тема — «Тема»,
topic, category). Без заголовка первый столбец — вопрос, остальные — ответы. Кодировка
(UTF-8 с меткой BOM или без, UTF-16 с меткой, Windows-1251) и разделитель (табуляция,
«;», «,») определяются сами; поля в кавычках могут содержать переносы строк и "".

Пакет .siq: каждая тема пакета становится темой замен. Вопросы, в которых есть
картинка, звук или видео, и вопросы без ответа пропускаются. Архив с паролем,
повреждённый, с опасными именами файлов или распаковывающийся в неразумный размер
не принимается, и тогда ничего не записывается.

Варианты ответа получаются так, как игра сравнит ответ игрока: строчные буквы, «е»
вместо «ё», без пробелов, точек, «!» и «-»; альтернативы разделяются по «;» и «/»;
подсказка в скобках даёт вариант без неё и с ней; «принимается: ...» добавляет
варианты, «незачёт: ...» отбрасывает; латиница получает и строчный вариант, год —
формы «1941г» и «1941год». Не больше пяти вариантов до 24 символов; вопрос без
подходящего варианта пропускается. Тема больше 101 вопроса делится на части.

В конце печатается, что взято и что пропущено (с местом в источнике и причиной), и
результат проверяется правилами kelmora-check.

Код возврата: 0 — всё взято, проверка чиста; 1 — часть вопросов пропущена или в
результате есть предупреждения; 2 — ошибки, источник не читается, название темы
занято, ничего не взято или команда задана неверно (тогда ничего не записано).
Импортированные вопросы остаются под условиями их авторов.
)";

enum class Format { kGuess, kCsv, kTsv, kSiq };

struct Options {
  std::string source;
  std::optional<std::string> output;
  std::optional<std::string> into;
  std::optional<std::string> topic;
  Format format = Format::kGuess;
  bool rename = false;
  bool dryRun = false;
  bool help = false;
  bool version = false;
};

std::optional<Options> parse(const std::vector<std::string>& args, std::ostream& err) {
  Options o;
  bool sourceGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 == args.size()) {
        err << "kelmora-import: после " << a << " нужно значение\n";
        return std::nullopt;
      }
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else if (a == "--rename") {
      o.rename = true;
    } else if (a == "--dry-run") {
      o.dryRun = true;
    } else if (a == "-o" || a == "--output" || a == "--into" || a == "--topic" || a == "--format") {
      const auto v = value();
      if (!v) return std::nullopt;
      if (a == "--into")
        o.into = *v;
      else if (a == "--topic")
        o.topic = *v;
      else if (a == "--format") {
        if (*v == "csv")
          o.format = Format::kCsv;
        else if (*v == "tsv")
          o.format = Format::kTsv;
        else if (*v == "siq")
          o.format = Format::kSiq;
        else {
          err << "kelmora-import: --format бывает csv, tsv или siq, а не " << *v << "\n";
          return std::nullopt;
        }
      } else {
        o.output = *v;
      }
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      err << "kelmora-import: неизвестный параметр " << a << "\n";
      return std::nullopt;
    } else if (sourceGiven) {
      err << "kelmora-import: нужен один файл, а не несколько\n";
      return std::nullopt;
    } else {
      o.source = a;
      sourceGiven = true;
    }
  }
  if (o.help || o.version) return o;
  if (!sourceGiven) {
    err << "kelmora-import: не указан файл с вопросами\n";
    return std::nullopt;
  }
  if (o.output && o.into) {
    err << "kelmora-import: -o и --into вместе не задаются\n";
    return std::nullopt;
  }
  return o;
}

std::string lowerExtension(const fs::path& file) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

std::string readTableFile(const fs::path& file) {
  InputFile in(file);
  if (!in.isOpen()) {
    if (in.error() == ENOENT) throw ImportError("файл не найден");
    throw ImportError("файл не открывается (это не обычный файл или нет прав на чтение)");
  }
  if (in.size() > kMaxTableBytes) throw ImportError("таблица больше 64 МБ");
  std::string bytes;
  char chunk[1 << 16];
  for (;;) {
    const auto n = in.read(chunk, sizeof chunk);
    if (n < 0) throw ImportError("файл не читается");
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > kMaxTableBytes)
      throw ImportError("таблица больше 64 МБ");
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  return bytes;
}

Source readSource(const Options& o) {
  const fs::path file(o.source);
  Format format = o.format;
  const std::string ext = lowerExtension(file);
  if (format == Format::kGuess) {
    if (ext == ".siq")
      format = Format::kSiq;
    else if (ext == ".tsv" || ext == ".tab")
      format = Format::kTsv;
    else if (ext == ".csv")
      format = Format::kCsv;
  }
  if (format == Format::kSiq) return readSiqFile(file);
  const std::string bytes = readTableFile(file);
  if (format == Format::kGuess && bytes.starts_with("PK\x03\x04")) return readSiqBytes(bytes);
  const std::string topic = o.topic.value_or(file.stem().string());
  return readTable(bytes, format == Format::kTsv ? '\t' : 0, topic);
}

std::string questions(long long n) {
  return check::counted(n, "вопрос", "вопроса", "вопросов");
}

// The topics as an author's source file: UTF-8, one line a line.
std::string sourceText(const std::vector<TopicBlock>& topics) {
  std::string out;
  for (const auto& t : topics) {
    out += "[" + kelmora::toUtf8(t.name) + "]\n";
    for (const auto& line : t.lines)
      out += kelmora::toUtf8(line) + "\n";
    out += "%\n";
  }
  return out;
}

// A private folder for the checker to read the result from, removed afterwards.
class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "kelmora-import-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const fs::path& dir() const { return dir_; }

 private:
  fs::path dir_;
};

// The checker's findings on the added lines of the result: an import answers for what it
// adds, not for what the folder already held.
std::vector<check::Finding> checkResult(const std::string& topicsBytes,
                                        const std::string& shownName, int firstLine,
                                        const std::optional<fs::path>& mainBase,
                                        std::ostream& err) {
  Scratch scratch;
  if (scratch.dir().empty()) {
    err << "Проверка результата не выполнена: нет места для временного файла.\n";
    return {};
  }
  const fs::path staged = scratch.dir() / kTopicsFile;
  try {
    writeFileAtomically(staged, topicsBytes);
  } catch (const FileError&) {
    err << "Проверка результата не выполнена: нет места для временного файла.\n";
    return {};
  }
  std::vector<check::BaseFile> files;
  std::error_code ec;
  if (mainBase && fs::exists(*mainBase, ec))
    files.push_back({*mainBase, kMainBaseFile, check::BaseKind::kMain});
  files.push_back({staged, shownName, check::BaseKind::kTopics});
  auto findings = check::checkBases(files).back();
  std::erase_if(findings, [&](const check::Finding& f) { return f.line < firstLine; });
  return findings;
}

}  // namespace

int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto options = parse(args, err);
  if (!options) {
    err << "Справка: kelmora-import --help\n";
    return kBadUse;
  }
  if (options->help) {
    out << kHelp;
    return 0;
  }
  if (options->version) {
    out << tools::versionText("kelmora-import");
    return 0;
  }
  const Options& o = *options;
  try {
    const Plan plan = makePlan(readSource(o));

    if (!plan.skipped.empty()) {
      err << "Пропущено: " << questions(static_cast<long long>(plan.skipped.size())) << ".\n";
      for (const auto& s : plan.skipped)
        err << "  " << s.position << ": " << s.reason << "\n";
    }
    if (!plan.remarks.empty()) {
      err << "Взято с оговорками:\n";
      for (const auto& r : plan.remarks)
        err << "  " << r.position << ": " << r.text << "\n";
    }
    if (plan.taken == 0) {
      err << "kelmora-import: " << o.source
          << ": ни одного вопроса не взято; ничего не записано.\n";
      return 2;
    }

    std::vector<TopicBlock> topics = plan.topics;
    std::string result;
    std::string shownName;
    int firstLine = 1;
    std::optional<fs::path> mainBase;
    if (o.into) {
      const FolderChange change = addToFolder(*o.into, topics, o.rename, o.dryRun);
      for (const auto& [from, to] : change.renames) {
        err << "Тема «" << kelmora::toUtf8(from) << "» уже есть; новая названа «"
            << kelmora::toUtf8(to) << "».\n";
        for (auto& t : topics) {
          if (t.name == from) t.name = to;
        }
      }
      result = change.after;
      firstLine = change.firstNewLine;
      shownName = (fs::path(*o.into) / kTopicsFile).string();
      mainBase = fs::path(*o.into) / kMainBaseFile;
    } else {
      result = renderTopics(topics);
      shownName = o.output.value_or("(вывод)");
    }

    err << "Взято: " << questions(plan.taken) << ", тем: " << topics.size() << ":\n";
    for (const auto& t : topics) {
      err << "  [" << kelmora::toUtf8(t.name) << "] — "
          << questions(static_cast<long long>(t.lines.size())) << "\n";
    }

    const auto findings = checkResult(result, shownName, firstLine, mainBase, err);
    err << "Проверка результата:\n";
    for (const auto& f : findings)
      err << "  " << check::formatFinding(f) << "\n";
    err << "  " << check::formatSummary(findings) << "\n";

    if (o.dryRun) {
      err << "--dry-run: ничего не записано.\n";
    } else if (o.into) {
      err << "Темы добавлены в " << shownName << ".\n";
    } else if (o.output) {
      try {
        writeFileAtomically(*o.output, sourceText(topics));
      } catch (const FileError& e) {
        err << "kelmora-import: " << *o.output << " не записан: " << e.what() << "\n";
        return 2;
      }
      err << "Темы записаны в " << *o.output << ".\n";
    } else {
      out << sourceText(topics);
    }
    const int skippedStatus = plan.skipped.empty() ? 0 : 1;
    return std::max(skippedStatus, check::exitStatus(findings));
  } catch (const ImportError& e) {
    err << "kelmora-import: " << o.source << ": " << e.what() << "; ничего не записано.\n";
    return 2;
  }
}

}  // namespace kelmora::import
