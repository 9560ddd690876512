#include "check/check_cli.h"

#include <optional>
#include <ostream>

#include "check/base_checker.h"
#include "check/try_answer.h"
#include "common/licence.h"
#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/files/file_error.h"

namespace kelmora::check {

namespace {

constexpr int kBadUse = 2;

constexpr const char* kHelp =
    R"(Использование: kelmora-check [--dump] [--main ФАЙЛ] [--topics ФАЙЛ] [ФАЙЛ...]
       kelmora-check --try ФАЙЛ СТРОКА ОТВЕТ

Проверяет базы вопросов игры «Кельмора» так, как их прочитает сама игра, и сообщает о каждой
проблеме с именем файла и номером строки. Без файлов проверяются kelmora.db и zamen.db в
текущем каталоге. Файл kelmora.db проверяется как основная база, zamen.db — как база замен;
файл с другим именем считается базой замен, если в нём есть строка, начинающаяся с «[»,
иначе основной базой. --main и --topics задают вид файла явно. Файлы одной команды
проверяются вместе: вопросы тем сравниваются с основной базой и друг с другом.

  --dump        показать, что увидит игра: каждый вопрос с номером (от 0) и пятью
                ячейками ответов в том виде, как игра их хранит (до 24 символов,
                пустые ячейки — «xcode»); для базы замен — по темам с их номерами
  --main ФАЙЛ   проверить ФАЙЛ как основную базу (kelmora.db)
  --topics ФАЙЛ проверить ФАЙЛ как базу замен (zamen.db)
  --try ФАЙЛ СТРОКА ОТВЕТ
                проверить ответ так, как его наберёт игрок: показать вопрос в строке
                СТРОКА (от 1) файла ФАЙЛ и его ячейки, ответ в том виде, в каком игра
                его сравнивает, и засчитает ли игра ответ, а если да — по какому
                варианту; ФАЙЛ — база игры (Windows-1251) или её исходник в UTF-8
                (kelmora.txt, zamen.txt); вид файла определяется, как и при проверке:
                по имени или по строкам, начинающимся с «[»
  --version     версия и лицензия
  --help        эта справка

Ошибки (игра поведёт себя неправильно или ответ игрока будет оценён неверно):
  - файл не найден или не читается;
  - файл сохранён в UTF-8, а не в Windows-1251 (остальные проверки файла пропускаются);
  - строка, о которой игра сообщит как об ошибочной (kelmora.db: нет «\», «\» в начале
    строки, меньше трёх символов после «\», пустая строка);
  - в kelmora.db больше 501 строки или в теме больше 101 вопроса, или тем больше 1000:
    лишнее не загружается, и игра сообщает об этом при каждом запуске;
  - в kelmora.db меньше 25 годных вопросов (столько может понадобиться за игровой цикл);
  - строка длиннее 4096 символов (игра её обрезает);
  - пустой текст вопроса; строка темы без «\» (игра режет её за три символа до конца);
  - пустой вариант ответа (два пробела подряд, пробел после «\» или перед «/»): игра
    засчитает ответ из одних пробелов, точек, «!» или «-»;
  - вариант, который никогда не совпадёт с ответом: в нём заглавная русская буква, «ё»/«Ё»,
    «.», «!» или «-» (ответ игрока приводится к строчным, «ё» читается как «е», а пробелы,
    «.», «!» и «-» удаляются);
  - вариант длиннее 24 символов: игра хранит только первые 24, и полный ответ не совпадёт;
  - вариант после пятого, не повторяющий первые пять: игра его не читает;
  - тема не закрыта строкой «%»; заголовок темы без «]» или с пустым названием;
    тема без вопросов.

Предупреждения (скорее всего, автор имел в виду другое):
  - нет «/» после ответов; текст после «/» (игра его не читает);
  - вариант повторяется в строке; варианты после пятого, которые пусты или повторяют
    первые пять;
  - один и тот же вопрос дважды: в одном файле, в основной базе и в теме, в двух темах;
    сообщается у более позднего (основная база считается раньше тем):
      тот же вопрос — те же слова без учёта заглавных букв (русских и латинских), «ё»
      и «е», знаков препинания и пробелов;
      почти тот же вопрос — те же слова в других формах или в другом порядке, или общий
      вариант ответа и больше половины общих значимых слов; слова сравниваются по
      первым пяти буквам после отбрасывания конечных гласных, «й» и «ь»; предлоги,
      союзы и вопросительные слова («кто», «какой», «сколько», «называется», ...) не
      значимы, поэтому вопросы вида «В каком году ...?» или «Как называется ...?» с
      разными ответами повтором не считаются;
  - ответ подсказан в самом вопросе: вариант совпадает со словом вопроса или с двумя-
    тремя словами подряд, если их набрать как ответ (так «Санкт-Петербург» даёт
    «санктпетербург»); или вариант из русских букв без конечных гласных, «й» и «ь»
    (не короче пяти букв) начинает слово вопроса с окончанием до трёх букв («москва» и
    «Москвы»); варианты из одного символа не проверяются;
  - вариант с заглавными латинскими буквами без такого же варианта строчными: латиницу
    игра сравнивает так, как её набрали, и ответ «co2» не совпадёт с «CO2»;
  - в теме меньше 3 вопросов (за игру можно взять 3 замены);
  - строка короче 3 символов внутри темы (игра её пропускает);
  - непустая строка вне темы: до первого заголовка или между «%» и следующим заголовком;
  - две темы с одним названием; в базе замен нет ни одной темы;
  - номер правителя цифрами без римских цифр латиницей или наоборот: к «петр1» нужны
    «петрI» и «петрi», к «николайII» — «николай2» (номером правителя считается число
    от 1 до 39 после имени не короче трёх русских букв, если в ключе есть то же имя с
    порядковым словом или римскими цифрами, или в вопросе есть римское число либо
    слово «царь», «император», «король», «князь», «папа», «престол», ...; поэтому
    «восток1», название корабля, не требует «востокI»);
  - вариант с апострофом («'», «`», «‘», «’», «´»: игра их не удаляет) без варианта без
    апострофа, а с типографским апострофом — и без варианта с обычным «'»:
    к «жаннад’арк» нужны «жаннадарк» и «жаннад'арк».

Замечания (совет, как сделать вопрос честнее; на код возврата не влияют):
  - вопрос о годе (в тексте «в каком году», «к какому году», «какого года», ... или
    вариант из четырёх цифр, если вопрос не «сколько ...»), где к варианту-году нет
    варианта «1941г» или «1941год»: ответ «1941 г.» или «1941 год» не совпадёт;
  - вопрос, который первыми словами просит ответ в косвенном падеже («Кого», «Кому»,
    «Кем», «Чей», «Какого», «Какому», «Каким», «Какую», «С помощью какого», «По проекту
    какого», ...; не «Какого года», «Какого числа», «Под каким именем», «Какую фамилию»),
    а в ключе нет двух падежных форм ответа (как «рюрик» и «рюрика»): игрок ответит
    в той форме, о которой спрашивают, или в начальной, и ключ должен принять обе.
    Не отмечаются ответы, которые не склоняются (на «о», «е», «и», «у», «ю», «ы»,
    «э», цифры, латиница), и «Какую ...» с ответом не на «а» или «я» («Какую планету
    называют Красной?» — «марс»).

Код возврата: 0 — нет ни ошибок, ни предупреждений (замечания могут быть),
1 — есть предупреждения, 2 — есть ошибки, файл не читается или команда задана неверно.
С --try: 0 — игра засчитает ответ, 1 — не засчитает, 2 — файл не читается, на строке нет
вопроса или команда задана неверно.
)";

struct Target {
  std::filesystem::path path;
  std::string shown;
  std::optional<BaseKind> kind;  // by name or content when not given
};

struct Options {
  bool dump = false;
  bool help = false;
  bool version = false;
  std::optional<TryRequest> tryAnswer;
  std::vector<Target> targets;
};

// "17" and nothing else: a line of a file, from 1.
std::optional<int> lineNumber(const std::string& text) {
  if (text.empty() || text.size() > 9 || text[0] == '0') return std::nullopt;
  int n = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::optional<Options> parse(const std::vector<std::string>& args, std::ostream& err) {
  Options options;
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnd || arg.empty() || arg[0] != '-' || arg == "-") {
      options.targets.push_back({arg, arg, std::nullopt});
    } else if (arg == "--") {
      optionsEnd = true;
    } else if (arg == "--dump") {
      options.dump = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--try") {
      if (args.size() - i < 4) {
        err << "kelmora-check: после --try нужны файл, номер строки и ответ\n";
        return std::nullopt;
      }
      const auto line = lineNumber(args[i + 2]);
      if (!line) {
        err << "kelmora-check: номер строки — целое число от 1, а не «" << args[i + 2] << "»\n";
        return std::nullopt;
      }
      options.tryAnswer = TryRequest{args[i + 1], args[i + 1], std::nullopt, *line, args[i + 3]};
      i += 3;
    } else if (arg == "--main" || arg == "--topics") {
      if (i + 1 == args.size()) {
        err << "kelmora-check: после " << arg << " нужно имя файла\n";
        return std::nullopt;
      }
      const std::string& file = args[++i];
      options.targets.push_back(
          {file, file, arg == "--main" ? BaseKind::kMain : BaseKind::kTopics});
    } else {
      err << "kelmora-check: неизвестный параметр " << arg << "\n";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace

int runCheck(const std::vector<std::string>& args, const std::filesystem::path& workDir,
             std::ostream& out, std::ostream& err) {
  auto options = parse(args, err);
  if (!options) {
    err << "Справка: kelmora-check --help\n";
    return kBadUse;
  }
  if (options->help) {
    out << kHelp;
    return 0;
  }
  if (options->version) {
    out << tools::versionText("kelmora-check");
    return 0;
  }
  if (options->tryAnswer) {
    if (!options->targets.empty()) {
      err << "kelmora-check: --try проверяет один вопрос; другие файлы с ним не указываются\n"
          << "Справка: kelmora-check --help\n";
      return kBadUse;
    }
    return tryAnswer(*options->tryAnswer, out, err);
  }
  if (options->targets.empty()) {
    options->targets = {{workDir / kMainBaseFile, kMainBaseFile, BaseKind::kMain},
                        {workDir / kTopicsFile, kTopicsFile, BaseKind::kTopics}};
  }
  std::vector<BaseFile> files;
  for (const auto& target : options->targets)
    files.push_back({target.path, target.shown, target.kind.value_or(guessKind(target.path))});
  const auto findings = checkBases(files);
  std::vector<Finding> all;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const BaseFile& target = files[i];
    const bool main = target.kind == BaseKind::kMain;
    if (options->dump) {
      try {
        out << (main ? dumpMainBase(target.path, target.shown)
                     : dumpTopicsBase(target.path, target.shown));
      } catch (const FileError&) {
        // Already among the findings: the file cannot be read.
      }
    }
    all.insert(all.end(), findings[i].begin(), findings[i].end());
  }
  for (const auto& finding : all)
    out << formatFinding(finding) << "\n";
  out << formatSummary(all) << "\n";
  return exitStatus(all);
}

}  // namespace kelmora::check
