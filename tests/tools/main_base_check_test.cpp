#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "check/base_checker.h"
#include "core/bases/main_base.h"
#include "tools_test_support.h"

namespace kelmora::check {
namespace {

using test::cpLines;
using test::E;
using test::Expect;
using test::expectFindings;
using test::N;
using test::shown;
using test::TempDir;
using test::W;

std::vector<std::string> goodQuestions(int n, int from = 0) {
  std::vector<std::string> lines;
  for (int i = from; i < from + n; ++i)
    lines.push_back("Вопрос номер " + std::to_string(i) + "?\\ответ" + std::to_string(i) + "/");
  return lines;
}

std::vector<Finding> checkMain(const TempDir& dir, const std::vector<std::string>& lines) {
  dir.write("kelmora.db", cpLines(lines));
  return checkMainBase(dir / "kelmora.db", "kelmora.db");
}

struct LineCase {
  const char* name;
  std::string line;  // UTF-8; becomes line 1, followed by 25 good questions
  std::vector<Expect> expected;
  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

class MainBaseLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(MainBaseLine, IsReportedAtItsLineWithItsSeverity) {
  const auto& c = GetParam();
  TempDir dir;
  auto lines = goodQuestions(25);
  lines.insert(lines.begin(), c.line);
  expectFindings(checkMain(dir, lines), c.expected);
}

const std::string k24 = "абвгдежзийклмнопрстуфхцч";

INSTANTIATE_TEST_SUITE_P(
    Lines, MainBaseLine,
    ::testing::Values(
        LineCase{"Clean", "Столица Франции?\\париж парижа/", {}},
        LineCase{"LatinDigitsAndExactly24AreFine", "Кто?\\петр1 петрI петрi xyz " + k24 + "/", {}},
        LineCase{"EmptyLine", "", {{1, E, "пустая строка"}}},
        LineCase{"NoBackslash", "Вопрос без ответов", {{1, E, "нет «\\»"}}},
        LineCase{"BackslashFirst", "\\вопрос/ответ/", {{1, E, "начинается с «\\»"}}},
        LineCase{"TooLittleAfterBackslash", "Вопрос?\\да", {{1, E, "меньше трёх"}}},
        LineCase{"BlankQuestion", " \\ответ/", {{1, E, "пустой текст вопроса"}}},
        LineCase{"TwoBlanks", "Вопрос?\\один  два/", {{1, E, "два пробела подряд"}}},
        LineCase{"BlankAfterBackslash", "Вопрос?\\ один/", {{1, E, "после «\\»"}}},
        LineCase{"BlankBeforeSlash", "Вопрос?\\один /", {{1, E, "пробел перед «/»"}}},
        LineCase{
            "BlankAtUnclosedEnd", "Вопрос?\\один ", {{1, E, "в конце строки"}, {1, W, "нет «/»"}}},
        LineCase{"Capital", "Вопрос?\\Москва/", {{1, E, "есть «М»"}}},
        LineCase{"YoLower", "Вопрос?\\ёж/", {{1, E, "никогда не совпадёт"}}},
        LineCase{"YoCapital", "Вопрос?\\Ёж/", {{1, E, "никогда не совпадёт"}}},
        LineCase{"Dot", "Вопрос?\\т.е/", {{1, E, "есть «.»"}}},
        LineCase{"Bang", "Вопрос?\\ура!/", {{1, E, "есть «!»"}}},
        LineCase{"Dash", "Вопрос?\\санкт-петербург/", {{1, E, "есть «-»"}}},
        LineCase{"SeveralBadCharactersOnce", "Вопрос?\\А.Б.В/", {{1, E, "«А», «.», «Б», «В»"}}},
        LineCase{"LongerThan24", "Вопрос?\\" + k24 + "я/", {{1, E, "длиннее 24 символов (25)"}}},
        LineCase{"DuplicateVariant", "Вопрос?\\раз два раз раз/", {{1, W, "«раз» повторяется"}}},
        LineCase{"SixthVariantLost",
                 "Вопрос?\\а б в г д е/",
                 {{1, E, "ответ «е» будет засчитан как неверный"}}},
        LineCase{"LaterVariantsLost",
                 "Вопрос?\\а б в г д е ж е/",
                 {{1, E, "ответы «е», «ж» будут"}, {1, W, "«е» повторяется"}}},
        LineCase{"SixthVariantRepeats",
                 "Вопрос?\\а б в г д а/",
                 {{1, W, "вариантов больше пяти (6)"}, {1, W, "«а» повторяется"}}},
        LineCase{"NoSlash", "Вопрос?\\ответ", {{1, W, "нет «/»"}}},
        LineCase{"TextAfterSlash", "Вопрос?\\ответ/другой", {{1, W, "«другой»"}}},
        LineCase{"BlanksAfterSlashAreFine", "Вопрос?\\ответ/   ", {}},
        LineCase{"CutAt4096", "Вопрос?\\ответ/" + std::string(5000, ' '), {{1, E, "4096"}}},
        LineCase{"CutBeforeTheBackslash",
                 "В" + std::string(5000, 'z') + "\\ответ/",
                 {{1, E, "4096"}, {1, E, "нет «\\»"}}}));

// The answer given away by its own question: the player only has to copy a word.
INSTANTIATE_TEST_SUITE_P(
    GiveAways, MainBaseLine,
    ::testing::Values(
        LineCase{"WordOfTheQuestion",
                 "На какой реке стоит Москва?\\москва москварека/",
                 {{1, W, "вариант «москва» есть в самом вопросе («Москва»)"}}},
        LineCase{"HyphenatedWord",
                 "Какой город раньше звался Санкт-Петербург?\\санктпетербург/",
                 {{1, W, "«санктпетербург» есть в самом вопросе («Санкт-Петербург»)"}}},
        LineCase{"PhraseOfTheQuestion",
                 "Чей роман «Анна Каренина» — Лев Толстой написал его?\\левтолстой толстой/",
                 {{1, W, "«левтолстой» есть в самом вопросе («Лев Толстой»)"},
                  {1, W, "«толстой» есть в самом вопросе («Толстой»)"},
                  {1, N, "косвенном падеже"}}},  // "Чей роман": Толстого
        LineCase{"OtherFormOfTheWord",
                 "Какая река течёт через центр Москвы?\\москва/",
                 {{1, W, "«москва» почти повторяет слово вопроса «Москвы»"}}},
        LineCase{"ThreeLetterEnding",
                 "Кто написал «Войну и мир», первую книгу Толстого о войне?\\толстой/",
                 {{1, W, "«толстой» почти повторяет слово вопроса «Толстого»"}}},
        LineCase{"TwoLetterWord",
                 "Что сильнее: ум или сила?\\ум/",
                 {{1, W, "вариант «ум» есть в самом вопросе («ум»)"}}},
        LineCase{"OneLetterIsAPreposition", "Какая буква идёт в алфавите за «б»?\\в вэ/", {}},
        LineCase{"ShortStemIsNotTried", "Куда впадает Ока, приток Волги?\\волга/", {}},
        LineCase{"LongerWordIsAnotherWord", "Что стоит на Москворецкой набережной?\\москва/", {}},
        LineCase{"LatinTypedAsShownDoesNotMatch", "Что обозначают формулой CO2?\\co2/", {}}));

// Latin letters are compared as typed: a capital needs its lower-case twin.
INSTANTIATE_TEST_SUITE_P(
    LatinCase, MainBaseLine,
    ::testing::Values(
        LineCase{"CapitalsWithoutTwin",
                 "Формула углекислого газа?\\CO2 углекислыйгаз/",
                 {{1, W, "«CO2» с заглавными латинскими буквами"}}},
        LineCase{"NoRoomForTheTwin",
                 "Первый российский император?\\петрI петр1 петр петрпервый петрвеликий/",
                 {{1, W, "все пять ячеек заняты"}}},
        LineCase{"ReportedOnceWhenRepeated",
                 "Соль соляной кислоты?\\HCl HCl/",
                 {{1, W, "«hcl»"}, {1, W, "«HCl» повторяется"}}},
        LineCase{"WithItsTwin", "Формула углекислого газа?\\CO2 co2/", {}},
        LineCase{"MixedCaseTwinIsNotEnough",
                 "Формула поваренной соли?\\NaCl Nacl/",
                 {{1, W, "добавьте вариант «nacl»"}, {1, W, "добавьте вариант «nacl»"}}},
        LineCase{"LowerCaseOnly", "Формула воды?\\h2o/", {}}));

// The forms a player fairly types for the same answer: a ruler's number in Roman numerals,
// a name with and without its apostrophe, the case the question asks for.
INSTANTIATE_TEST_SUITE_P(
    FairKeys, MainBaseLine,
    ::testing::Values(
        LineCase{"RulerWithoutRomanNumerals",
                 "Кто был первым российским императором?\\петр петр1 петрпервый/",
                 {{1, W, "к варианту «петр1» нет вариантов «петрI», «петрi»: номер правителя"}}},
        LineCase{"RomanNumeralsWithoutDigits",
                 "Кто был последним императором?\\николайII николайii николайвторой/",
                 {{1, W, "к варианту «николайII» нет варианта «николай2»"}}},
        LineCase{"LowerCaseTwinIsWarnedOnceAsLatinCase",
                 "Кто основал Петербург?\\петр1 петрI петрпервый/",
                 {{1, W, "«петрI» с заглавными латинскими буквами"}}},
        LineCase{"NoRoomLeft",
                 "Кто основал Петербург?\\петр петр1 петрпервый петрвеликий петралексеевич/",
                 {{1, W, "все пять ячеек заняты"}}},
        LineCase{
            "ShipNumberIsPartOfTheName", "Как назывался корабль Гагарина?\\восток восток1/", {}},
        LineCase{"WholeRulerKey", "Кто основал Петербург?\\петр1 петрI петрi петрпервый/", {}},
        LineCase{"ApostropheWithoutTwin",
                 "Какая героиня освободила Орлеан?\\жаннад'арк/",
                 {{1, W, "к варианту «жаннад'арк» нет варианта «жаннадарк»: апостроф"}}},
        LineCase{"TypographicApostrophe",
                 "Какая героиня освободила Орлеан?\\жаннад’арк жаннадарк/",
                 {{1, W, "нет варианта «жаннад'арк»"}}},
        LineCase{
            "ApostropheWithTwin", "Какая героиня освободила Орлеан?\\жаннад'арк жаннадарк/", {}},
        LineCase{"ObliqueCaseOneForm",
                 "Кого новгородцы призвали княжить?\\рюрик/",
                 {{1, N, "косвенном падеже"}}},
        LineCase{"ObliqueCaseOnlyTheAskedForm",
                 "По проекту какого архитектора построен Исаакиевский собор?\\монферрана/",
                 {{1, N, "косвенном падеже"}}},
        LineCase{"ObliqueCaseBothForms", "Кого новгородцы призвали княжить?\\рюрик рюрика/", {}},
        LineCase{"ObliqueCaseIndeclinable", "Кого изобразил Крамской?\\некрасова некрасов/", {}},
        LineCase{"NominativeQuestion", "Кто княжил в Новгороде?\\рюрик/", {}}));

// A year is typed with "г" or "год" as often as without.
INSTANTIATE_TEST_SUITE_P(
    Years, MainBaseLine,
    ::testing::Values(
        LineCase{"AskedYearWithoutForms",
                 "В каком году пала Берлинская стена?\\1989/",
                 {{1, N, "год «1989» без варианта «1989г» или «1989год»"}}},
        LineCase{"ShortYear", "В каком году крестили Русь?\\988/", {{1, N, "«988г»"}}},
        LineCase{"FourDigitsAreAYear", "Когда пала Берлинская стена?\\1989/", {{1, N, "«1989г»"}}},
        LineCase{"EveryYearOfTheQuestion",
                 "В каком году началась Вторая мировая?\\1939 1941 1941г/",
                 {{1, N, "«1939г»"}}},
        LineCase{"WithG", "В каком году пала Берлинская стена?\\1989 1989г/", {}},
        LineCase{"WithGod", "В каком году пала Берлинская стена?\\1989 1989год/", {}},
        LineCase{"CountIsNotAYear", "Сколько метров в морской миле?\\1852/", {}},
        LineCase{
            "ShortNumberOutsideAYearQuestion", "Какое число зовут чёртовой дюжиной?\\13/", {}}));

TEST(MainBase, ReportsExactlyTheLinesTheGameReports) {
  TempDir dir;
  auto lines = goodQuestions(30);
  lines[2] = "без черты";
  lines[6] = "";
  lines[29] = "Вопрос?\\аб";
  const auto findings = checkMain(dir, lines);

  std::vector<int> gameLines;
  QuestionBase base;
  loadMainBase(dir.path(), base, [&](const std::string& message) {
    for (int k = 1; k <= 30; ++k) {
      if (message == erroneousLineMessage(k)) gameLines.push_back(k);
    }
  });
  std::vector<int> reported;
  for (const auto& f : findings)
    if (f.message.find("игра сообщит об ошибке") != std::string::npos) reported.push_back(f.line);
  EXPECT_EQ(reported, gameLines);
  EXPECT_EQ(reported, (std::vector<int>{3, 7, 30}));
}

struct FileCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<Expect> expected;
  friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }
};

class MainBaseFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(MainBaseFile, IsReportedAsAWhole) {
  TempDir dir;
  expectFindings(checkMain(dir, GetParam().lines), GetParam().expected);
}

std::vector<std::string> withLines(std::vector<std::string> lines,
                                   const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainBaseFile,
    ::testing::Values(FileCase{"TwentyFiveQuestionsAreEnough", goodQuestions(25), {}},
                      FileCase{"TwentyFourAreNot", goodQuestions(24), {{0, E, "24 вопроса"}}},
                      FileCase{"ErroneousLinesDoNotCount",
                               withLines(goodQuestions(24), {"ошибка"}),
                               {{25, E, "нет «\\»"}, {0, E, "24 вопроса"}}},
                      FileCase{"EmptyFile", {}, {{0, E, "0 вопросов"}}},
                      FileCase{"DuplicateQuestionBlanksIgnored",
                               withLines(goodQuestions(25), {"  Вопрос номер 3? \\другой/"}),
                               {{26, W, "тот же вопрос уже есть в строке 4"}}},
                      FileCase{"FiveHundredOneLinesFit", goodQuestions(501), {}},
                      FileCase{
                          "FiveHundredTwoDoNot", goodQuestions(502), {{502, E, "502 строки"}}}));

TEST(MainBase, FileSavedAsUtf8IsOneError) {
  TempDir dir;
  std::string utf8;
  for (const auto& line : goodQuestions(30))
    utf8 += line + "\n";
  dir.write("kelmora.db", "1941?\\1941/\n" + utf8);
  const auto findings = checkMainBase(dir / "kelmora.db", "kelmora.db");
  expectFindings(findings, {{2, E, "UTF-8"}});
}

TEST(MainBase, Cp1251TextThatHappensToFormUtf8IsNotMistaken) {
  TempDir dir;
  // "Р" followed by "ё" is a valid UTF-8 pair in code-page bytes; a real text has few of them.
  auto lines = goodQuestions(25);
  lines.push_back("РёРј?\\ответ/");
  expectFindings(checkMain(dir, lines), {});
}

TEST(MainBase, MissingDirectoryAndUnreadableFilesAreErrors) {
  TempDir dir;
  expectFindings(checkMainBase(dir / "kelmora.db", "kelmora.db"), {{0, E, "не найден"}});
  std::filesystem::create_directory(dir / "kelmora.db");
  expectFindings(checkMainBase(dir / "kelmora.db", "kelmora.db"), {{0, E, "каталог"}});
  if (test::runningAsRoot()) GTEST_SKIP() << "root reads any file";
  dir.write("locked.db", test::cpLines(goodQuestions(25)));
  std::filesystem::permissions(dir / "locked.db", std::filesystem::perms::none);
  expectFindings(checkMainBase(dir / "locked.db", "locked.db"), {{0, E, "не удаётся прочитать"}});
}

TEST(MainBase, FileOfAnotherNameIsReadByTheGameLoaderAndLeavesNothingBehind) {
  TempDir dir;
  auto lines = goodQuestions(26);
  lines[4] = "ошибка";
  dir.write("mine.txt", cpLines(lines));
  const auto before = std::distance(std::filesystem::directory_iterator(dir.path()), {});
  expectFindings(checkMainBase(dir / "mine.txt", "mine.txt"), {{5, E, "игра сообщит"}});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), before);
  EXPECT_FALSE(dir.exists("kelmora.db"));
}

}  // namespace
}  // namespace kelmora::check
