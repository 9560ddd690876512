// kelmora-import from a source file to what the game reads: tables and packs the tests make,
// archives made to do harm, and a game folder whose existing topics must survive to the byte.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/bases/topics_base.h"
#include "core/files/folder_lock.h"
#include "import/import_cli.h"
#include "import/siq_reader.h"
#include "import/table_reader.h"
#include "import_test_support.h"
#include "tools_test_support.h"

namespace kelmora::import {
namespace {

using test::cp;
using test::cpLines;
using test::TempDir;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome run(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = runImport(args, out, err);
  return {status, out.str(), err.str()};
}

// The questions of a source as "тема|позиция|текст|ответ;ответ".
std::vector<std::string> summary(const Source& s) {
  std::vector<std::string> out;
  for (const auto& q : s.questions) {
    std::string answers;
    for (const auto& a : q.answers)
      answers += (answers.empty() ? "" : ";") + a;
    out.push_back(q.topic + "|" + q.position + "|" + q.text + "|" + answers);
  }
  return out;
}

// ---- tables ----

struct TableCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> questions;
  friend void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }
};

class Tables : public ::testing::TestWithParam<TableCase> {};

// A spreadsheet's export read wrong loses an author's questions or splits them mid-text.
TEST_P(Tables, ReadAsTheSpreadsheetWroteThem) {
  const auto& c = GetParam();
  EXPECT_EQ(summary(readTable(c.bytes, 0, "Т")), c.questions);
}

INSTANTIATE_TEST_SUITE_P(
    Quirks, Tables,
    ::testing::Values(
        TableCase{"quoted_break_and_quotes",
                  "\"Кто написал\n\"\"Онегина\"\"?\",Пушкин\r\nВторой?,Б\r\n",
                  {"Т|строка 1|Кто написал\n\"Онегина\"?|Пушкин", "Т|строка 3|Второй?|Б"}},
        TableCase{"header_by_name_any_order",
                  "Ответ;Тема;Вопрос;Комментарий\nПушкин;Литература;Кто?;лишнее\n",
                  {"Литература|строка 2|Кто?|Пушкин"}},
        TableCase{"english_header_more_answers",
                  "question\tanswer\talternatives\nКто?\tПушкин\tА. С. Пушкин\n",
                  {"Т|строка 2|Кто?|Пушкин;А. С. Пушкин"}},
        TableCase{"answers_run_on_past_the_header",
                  "Вопрос;Ответ\nКто?;Пушкин;А. С. Пушкин\n",
                  {"Т|строка 2|Кто?|Пушкин;А. С. Пушкин"}},
        TableCase{"no_header_all_columns_answers",
                  "Кто?;Пушкин;Александр Пушкин\n",
                  {"Т|строка 1|Кто?|Пушкин;Александр Пушкин"}},
        TableCase{"utf8_bom", "\xEF\xBB\xBFКто?,Пушкин\n", {"Т|строка 1|Кто?|Пушкин"}},
        TableCase{"windows_1251", cp("Кто?;Пушкин\r\n"), {"Т|строка 1|Кто?|Пушкин"}},
        TableCase{"utf16_excel",
                  std::string("\xFF\xFE"
                              "K\0?\0\t\0"
                              "5\0\n\0",
                              12),
                  {"Т|строка 1|K?|5"}},
        TableCase{"blank_rows_skipped", "\n\nКто?;А\n;\n", {"Т|строка 3|Кто?|А"}}));

TEST(Tables, OneColumnIsNoTable) {
  EXPECT_THROW(readTable("только вопрос\nещё один\n", 0, "Т"), ImportError);
}

// ---- packs ----

TEST(Packs, BothLayoutsGiveTheirThemesAndSkipWhatThePlayerCouldNotAnswer) {
  const std::string questions =
      test::oldQuestion("Кто снял «Солярис»?", "Тарковский") +
      test::newQuestion("Формула воды?", "H2O") +
      // Media alone, media beside text, a marker before the shown answer, no answer at all.
      "<question><scenario><atom type=\"image\">@a.png</atom></scenario><right><answer>Кот"
      "</answer></right></question>"
      "<question><params><param name=\"question\"><item type=\"video\">v.mp4</item><item>Кто"
      " это?</item></param></params><right><answer>Он</answer></right></question>"
      "<question><scenario><atom>Столица Франции?</atom><atom type=\"marker\"/><atom>Париж"
      "</atom></scenario><right><answer>Париж</answer></right><wrong><answer>Лион</answer>"
      "</wrong></question>" +
      test::oldQuestion("Без ответа?", "  ");
  const Source s = readSiqBytes(test::siq(test::package({{"Кино &amp; наука", questions}})));
  EXPECT_EQ(
      summary(s),
      (std::vector<std::string>{
          "Кино & наука|раунд «1», тема «Кино & наука», вопрос 1|Кто снял «Солярис»?|Тарковский",
          "Кино & наука|раунд «1», тема «Кино & наука», вопрос 2|Формула воды?|H2O",
          "Кино & наука|раунд «1», тема «Кино & наука», вопрос 5|Столица Франции?|Париж"}));
  ASSERT_EQ(s.skipped.size(), 3u);
  EXPECT_EQ(s.skipped[0].position, "раунд «1», тема «Кино & наука», вопрос 3");
  EXPECT_EQ(s.skipped[2].reason, "нет ответа");
}

TEST(Packs, MediaNamesMayBeUriEncoded) {
  const std::string xml = test::package({{"Т", test::oldQuestion("В?", "о")}});
  const Source s =
      readSiqBytes(test::makeZip({{"Images/%D0%9A%D0%BE%D1%82.png", "png"}, {"content.xml", xml}}));
  EXPECT_EQ(s.questions.size(), 1u);
}

struct HostileCase {
  const char* name;
  std::string archive;
  std::string says;  // part of the message
  friend void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<HostileCase> hostileCases() {
  const std::string xml = test::package({{"Т", test::oldQuestion("В?", "о")}});
  const std::string good = test::siq(xml);
  return {
      {"not_a_zip", "просто текст", "не zip-архив"},
      {"truncated", good.substr(0, good.size() / 2), "обрезан"},
      {"absolute_path", test::makeZip({{"content.xml", xml}, {"/etc/cron.d/x", "x"}}), "опасным"},
      {"dot_dot", test::makeZip({{"content.xml", xml}, {"Images/../../x", "x"}}), "опасным"},
      {"encoded_dot_dot", test::makeZip({{"content.xml", xml}, {"%2E%2E/x", "x"}}), "опасным"},
      {"password", test::makeZip({{"content.xml", xml, true}}), "паролем"},
      {"zip_bomb", test::siq("<package>" + std::string(8 << 20, ' ') + "</package>"), "zip-бомб"},
      {"no_content", test::makeZip({{"Images/a.png", "x"}}), "нет content.xml"},
      {"entity_expansion",
       test::siq("<?xml version=\"1.0\"?><!DOCTYPE package [<!ENTITY a \"aaaaaaaa\">"
                 "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><package>&b;</package>"),
       "DOCTYPE"},
      {"not_xml", test::siq("<package><rounds>"), "XML"},
      {"not_a_pack", test::siq("<html/>"), "package"},
  };
}

class Hostile : public ::testing::TestWithParam<HostileCase> {};

// Whoever imports a pack someone sent them must not have their game folder touched by it.
TEST_P(Hostile, IsRefusedWithNothingWritten) {
  const auto& c = GetParam();
  TempDir dir;
  TempDir game;
  const std::string before = cpLines({"[Своя]", "Вопрос?\\ответ/", "%"});
  game.write("zamen.db", before);
  game.write("kelmora.db", "");
  dir.write("pack.siq", c.archive);
  const Outcome r = run({(dir / "pack.siq").string(), "--into", game.path().string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("ничего не записано"), std::string::npos) << r.err;
  EXPECT_EQ(game.read("zamen.db"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game.path()), {}), 2);
}

INSTANTIATE_TEST_SUITE_P(Archives, Hostile, ::testing::ValuesIn(hostileCases()));

// ---- into a game folder ----

std::string pack(int questions, const std::string& theme = "Кино") {
  std::string xml;
  for (int i = 0; i < questions; ++i)
    xml += test::oldQuestion("Кто снял фильм номер " + std::to_string(i) + "?",
                             "Режиссёр" + std::to_string(i));
  return test::siq(test::package({{theme, xml}}));
}

struct Folder {
  TempDir source;
  TempDir game;
  std::string before;
  explicit Folder(const std::string& pack) {
    source.write("pack.siq", pack);
    // No line break after the last "%": the old bytes must still come first, untouched.
    before = cpLines({"[Кино]", "Старый вопрос?\\старый/"}) + "%";
    game.write("zamen.db", before);
    game.write("kelmora.db", "");
  }
  Outcome into(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{(source / "pack.siq").string(), "--into", game.path().string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }
};

TEST(Into, ANameAlreadyThereIsRefusedOrRenamed) {
  Folder f(pack(3));
  Outcome r = f.into();
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--rename"), std::string::npos) << r.err;
  EXPECT_EQ(f.game.read("zamen.db"), f.before);

  r = f.into({"--rename"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string after = f.game.read("zamen.db");
  EXPECT_EQ(after.substr(0, f.before.size()), f.before);
  const TopicList list = loadTopicList(f.game.path(), [](const std::string&) {});
  ASSERT_EQ(list.topics.size(), 2u);
  EXPECT_EQ(list.topics[1].name, cp("Кино (2)"));
  // The game draws the new topic and judges a typed answer by it.
  ReplacementBase base;
  loadTopicQuestions(list, 1, base);
  ASSERT_EQ(base.questionCount, 3);
  EXPECT_TRUE(answerMatches(cp("Режиссёр 2"), base.answerVariants[2]));
}

TEST(Into, ATopicTooBigForTheGameIsSplitIntoEvenParts) {
  Folder f(pack(250, "Большая"));
  const Outcome r = f.into();
  EXPECT_EQ(r.status, 0) << r.err;
  const TopicList list = loadTopicList(f.game.path(), [](const std::string&) {});
  ASSERT_EQ(list.topics.size(), 4u);
  EXPECT_EQ(list.topics[1].name, cp("Большая (часть 1)"));
  EXPECT_EQ(list.topics[3].name, cp("Большая (часть 3)"));
  for (std::size_t t = 1; t < 4; ++t) {
    EXPECT_GE(list.topics[t].questions.size(), 83u);
    EXPECT_EQ(list.topics[t].questionsBeyondCapacity, 0);
  }
}

// The last question a topic may hold stays in its topic: an author's 101 questions are not
// cut into a part of 51 and one of 50.
TEST(Into, ATopicOfExactlyTheGamesCapacityIsKeptWhole) {
  Folder f(pack(101, "Ровно"));
  const Outcome r = f.into();
  EXPECT_EQ(r.status, 0) << r.err;
  const TopicList list = loadTopicList(f.game.path(), [](const std::string&) {});
  ASSERT_EQ(list.topics.size(), 2u);
  EXPECT_EQ(list.topics[1].name, cp("Ровно"));
  EXPECT_EQ(list.topics[1].questions.size(), 101u);
}

// The game's selector shows 1000 topics: an import that brings the file to exactly that many
// is taken, one more is refused with the file unchanged.
TEST(Into, TheThousandthTopicFitsAndTheNextIsRefused) {
  for (const int existing : {999, 1000}) {
    Folder f(pack(3, "Новая"));
    std::vector<std::string> lines;
    for (int t = 0; t < existing; ++t) {
      lines.push_back("[Тема " + std::to_string(t) + "]");
      for (int q = 0; q < 3; ++q)
        lines.push_back("Вопрос " + std::to_string(q) + " темы " + std::to_string(t) + "?\\ответ" +
                        std::to_string(t) + "н" + std::to_string(q) + "/");
      lines.push_back("%");
    }
    const std::string before = cpLines(lines);
    f.game.write("zamen.db", before);
    const Outcome r = f.into();
    const TopicList list = loadTopicList(f.game.path(), [](const std::string&) {});
    if (existing == 999) {
      EXPECT_NE(r.status, 2) << r.err;
      EXPECT_EQ(list.topics.size(), 1000u);
    } else {
      EXPECT_EQ(r.status, 2);
      EXPECT_NE(r.err.find("больше 1000"), std::string::npos) << r.err;
      EXPECT_EQ(f.game.read("zamen.db"), before);
    }
  }
}

TEST(Into, DryRunAndALockedFolderWriteNothing) {
  Folder f(pack(3, "Новая"));
  Outcome r = f.into({"--dry-run"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("ничего не записано"), std::string::npos);
  EXPECT_EQ(f.game.read("zamen.db"), f.before);
  {
    // A game playing in the folder holds its lock: zamen.db is not replaced under it.
    const auto playing = FolderLock::tryAcquire(f.game.path());
    ASSERT_TRUE(playing && playing->held());
    r = f.into();
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(f.game.read("zamen.db"), f.before);
  }
  EXPECT_EQ(f.into().status, 0);
  EXPECT_NE(f.game.read("zamen.db"), f.before);
}

// A zamen.db the importer cannot read whole is never written over: the player's topics in
// it would be lost. A folder with the main base but no zamen.db gets a new one.
TEST(Into, WritesOnlyOverAFileItReadWhole) {
  for (const char* kind : {"fifo", "directory"}) {
    Folder f(pack(3, "Новая"));
    std::filesystem::remove(f.game / "zamen.db");
    if (std::string(kind) == "fifo") {
      ASSERT_EQ(::mkfifo((f.game / "zamen.db").c_str(), 0644), 0);
    } else {
      std::filesystem::create_directory(f.game / "zamen.db");
    }
    const Outcome r = f.into();
    EXPECT_EQ(r.status, 2) << kind;
    EXPECT_NE(r.err.find("не читается"), std::string::npos) << kind << r.err;
    EXPECT_FALSE(std::filesystem::is_regular_file(f.game / "zamen.db")) << kind;
  }
  Folder f(pack(3, "Новая"));
  std::filesystem::remove(f.game / "zamen.db");
  EXPECT_EQ(f.into().status, 0);
  EXPECT_EQ(loadTopicList(f.game.path(), [](const std::string&) {}).names(),
            std::vector<std::string>{cp("Новая")});
}

TEST(Into, AFolderWithoutTheGameIsRefused) {
  TempDir source;
  TempDir empty;
  source.write("pack.siq", pack(3, "Новая"));
  const Outcome r = run({(source / "pack.siq").string(), "--into", empty.path().string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

// ---- the command ----

struct StatusCase {
  const char* name;
  std::string table;
  std::vector<std::string> args;
  int status;
  std::string says;
  friend void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }
};

class Status : public ::testing::TestWithParam<StatusCase> {};

// Scripts tell a clean import from a partial one and a failed one by the status alone.
TEST_P(Status, IsKelmoraChecks) {
  const auto& c = GetParam();
  TempDir dir;
  dir.write("q.csv", c.table);
  std::vector<std::string> args{(dir / "q.csv").string()};
  args.insert(args.end(), c.args.begin(), c.args.end());
  const Outcome r = run(args);
  EXPECT_EQ(r.status, c.status) << r.err;
  EXPECT_NE((r.out + r.err).find(c.says), std::string::npos) << r.out << r.err;
}

const std::string kClean = "Столица Японии?;Токио\nСтолица Франции?;Париж\nСтолица Италии?;Рим\n";

INSTANTIATE_TEST_SUITE_P(
    Exits, Status,
    ::testing::Values(StatusCase{"clean", kClean, {}, 0, "[q]\nСтолица Японии?\\токио/\n"},
                      StatusCase{"skipped_question",
                                 kClean + "Столица Чего?;Gödel\n",
                                 {},
                                 1,
                                 "строка 4: ни один ответ не подходит игре"},
                      StatusCase{"warning_in_result",
                                 "Столица Японии?;Токио\n",
                                 {"--topic", "Одна"},
                                 1,
                                 "в теме «Одна» 1 вопрос"},
                      StatusCase{
                          "nothing_taken", "Вопрос?;Gödel\n", {}, 2, "ни одного вопроса не взято"},
                      StatusCase{"bad_option", kClean, {"--всё"}, 2, "неизвестный параметр"},
                      StatusCase{"help", kClean, {"--help"}, 0, "Использование: kelmora-import"},
                      StatusCase{"version", kClean, {"--version"}, 0, "GPL-3.0-or-later"}));

// An author who asks for a file gets what standard output would have shown, and a dry run
// leaves no file behind.
TEST(Status, OutputFileHoldsTheSourceText) {
  TempDir dir;
  dir.write("q.csv", kClean);
  const std::string table = (dir / "q.csv").string();
  const Outcome shown = run({table});
  EXPECT_EQ(run({table, "--dry-run", "-o", (dir / "dry.txt").string()}).status, 0);
  EXPECT_FALSE(dir.exists("dry.txt"));
  EXPECT_EQ(run({table, "-o", (dir / "topics.txt").string()}).status, 0);
  EXPECT_EQ(dir.read("topics.txt"), shown.out);
}

TEST(Status, TheInstalledCommandGivesTheSame) {
  TempDir dir;
  dir.write("q.csv", kClean);
  const std::string tool = KELMORA_IMPORT_TOOL;
  EXPECT_EQ(test::exitCodeOf(tool + " " + (dir / "q.csv").string() + " >/dev/null 2>&1"), 0);
  EXPECT_EQ(test::exitCodeOf(tool + " " + (dir / "missing.csv").string() + " 2>/dev/null"), 2);
}

}  // namespace
}  // namespace kelmora::import
