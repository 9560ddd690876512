// A pack of 10 000 questions, with 30 MB of pictures beside them, imported into a game folder
// through the whole command: reading, deriving the variants, writing zamen.db and running the
// checker's rules over the result. It must take under two seconds, and its memory must follow
// the questions, not the pictures. Exits 1 when the time is over.

#include <sys/resource.h>
#include <unistd.h>
#include <zip.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "import/import_cli.h"

namespace fs = std::filesystem;

namespace {

constexpr int kThemes = 50;
constexpr int kPerTheme = 200;
constexpr int kPictures = 30;
constexpr double kLimitSeconds = 2.0;

// Distinct made-up words, so that the checker sees 10 000 different questions, as in a real
// pack, rather than one question repeated.
std::string word(std::uint32_t n) {
  static const char* syllables[] = {"ка", "ло", "ми", "ру", "те", "на", "зо", "ви",
                                    "ша", "пе", "до", "ля", "гу", "со", "бе", "фи"};
  std::string out;
  for (int i = 0; i < 4; ++i, n /= 16)
    out += syllables[n % 16];
  return out;
}

std::string contentXml() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><package name=\"Б\" version=\"4\"><rounds>"
      "<round name=\"1\"><themes>";
  std::mt19937 random(7);
  for (int t = 0; t < kThemes; ++t) {
    xml += "<theme name=\"Тема " + std::to_string(t) + "\"><questions>";
    for (int q = 0; q < kPerTheme; ++q) {
      const auto n = random();
      xml += "<question price=\"100\"><scenario><atom>Что такое " + word(n) + " у " +
             word(n >> 16) + " и " + word(random()) + "?</atom></scenario><right><answer>" +
             word(random()) + "</answer><answer>Ё" + word(random()).substr(0, 6) +
             " (принимается: " + word(random()) + ")</answer></right></question>";
    }
    xml += "</questions></theme>";
  }
  return xml + "</themes></round></rounds></package>";
}

void writePack(const fs::path& file, const std::string& xml, const std::string& picture) {
  int error = 0;
  zip_t* za = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (za == nullptr) std::exit(2);
  zip_file_add(za, "content.xml", zip_source_buffer(za, xml.data(), xml.size(), 0), 0);
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = "Images/%D0%9A" + std::to_string(i) + ".png";
    const auto index =
        zip_file_add(za, name.c_str(), zip_source_buffer(za, picture.data(), picture.size(), 0), 0);
    zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(za) != 0) std::exit(2);
}

long peakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main() {
  const fs::path dir =
      fs::temp_directory_path() / ("kelmora-import-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir / "game");
  std::ofstream(dir / "game" / "kelmora.db", std::ios::binary).flush();
  std::ofstream(dir / "game" / "zamen.db", std::ios::binary).flush();
  {
    std::string picture(std::size_t{1} << 20, '\0');
    std::mt19937 random(1);
    for (auto& c : picture)
      c = static_cast<char>(random());
    writePack(dir / "pack.siq", contentXml(), picture);
  }
  const auto packBytes = fs::file_size(dir / "pack.siq");
  const long before = peakKilobytes();

  std::ostringstream out;
  std::ostringstream err;
  const auto start = std::chrono::steady_clock::now();
  const int status = kelmora::import::runImport(
      {(dir / "pack.siq").string(), "--into", (dir / "game").string()}, out, err);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto written = fs::file_size(dir / "game" / "zamen.db");
  fs::remove_all(dir);

  std::printf(
      "import of %d questions (pack %.1f MB): %.3f s, status %d, zamen.db %.1f MB, "
      "peak memory %.1f MB (%.1f MB before the import)\n",
      kThemes * kPerTheme, packBytes / 1048576.0, seconds, status, written / 1048576.0,
      peakKilobytes() / 1024.0, before / 1024.0);
  if (status != 0) {
    const std::string report = err.str();
    std::fputs(report.substr(report.find("Проверка результата")).substr(0, 1500).c_str(), stderr);
  }
  if (status == 2) {
    return 1;
  }
  if (seconds > kLimitSeconds) {
    std::printf("slower than %.1f s\n", kLimitSeconds);
    return 1;
  }
  return 0;
}
