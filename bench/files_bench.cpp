// Loading and saving the game's files: the player waits on these at start-up, at every new
// game and at the end of every game.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/bases/main_base.h"
#include "core/bases/topics_base.h"
#include "core/players/records.h"
#include "core/text/cp1251.h"

namespace {

using namespace kelmora;

struct Dir {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("kelmora-bench-" + std::to_string(::getpid()));
  Dir() { std::filesystem::create_directories(path); }
  ~Dir() { std::filesystem::remove_all(path); }
  void write(const char* name, const std::string& bytes) const {
    std::ofstream(path / name, std::ios::binary) << bytes;
  }
};

std::string questionLine(int i) {
  return toCp1251("Какой город был столицей государства в году номер " + std::to_string(i) +
                  "?\\москва москвой столицамосква мск город/\r\n");
}

void LoadMainBase501(benchmark::State& state) {
  Dir dir;
  std::string text;
  for (int i = 0; i < 501; ++i)
    text += questionLine(i);
  dir.write("kelmora.db", text);
  for (auto _ : state) {
    QuestionBase base;
    loadMainBase(dir.path, base, [](const std::string&) {});
    benchmark::DoNotOptimize(base.questionCount);
  }
}
BENCHMARK(LoadMainBase501)->Unit(benchmark::kMicrosecond);

void LoadTopics10000Lines(benchmark::State& state) {
  Dir dir;
  std::string text;
  for (int t = 0; t < 100; ++t) {
    text += toCp1251("[Тема " + std::to_string(t) + "]\r\n");
    for (int i = 0; i < 98; ++i)
      text += questionLine(i);
    text += "%\r\n";
  }
  dir.write("zamen.db", text);
  for (auto _ : state) {
    const auto list = loadTopicList(dir.path, [](const std::string&) {});
    ReplacementBase base;
    loadTopicQuestions(list, 50, base);
    benchmark::DoNotOptimize(base.questionCount);
  }
}
BENCHMARK(LoadTopics10000Lines)->Unit(benchmark::kMicrosecond);

void InsertPayoutIntoRecords(benchmark::State& state) {
  Dir dir;
  dir.write("res.res", std::string(RecordsTable::kFileSize, '\0'));
  int payout = 0;
  for (auto _ : state) {
    auto table = readRecords(dir.path);
    const int place = placeFor(table, ++payout);
    if (place > 0) insertEntry(table, place, "Player", "07.12.26", payout);
    writeRecords(dir.path, table);
  }
}
BENCHMARK(InsertPayoutIntoRecords)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
