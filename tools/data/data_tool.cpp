#include "data/data_tool.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "common/licence.h"
#include "common/strict_utf8.h"
#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/files/text_file.h"
#include "core/players/records.h"
#include "core/text/cp1251.h"

namespace kelmora::tools {

namespace {

constexpr int kExitFailure = 2;
// A binary file handed over by mistake would otherwise bury the first lines under thousands.
constexpr std::size_t kShownProblems = 20;

std::string hex(unsigned value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, value);
  return buf;
}

// Control characters and invisible ones would make the quoted character unreadable.
std::string shownCharacter(char32_t ch) {
  if (ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch < 0xA0)) return "";
  std::string shown = "«";
  appendUtf8(shown, ch);
  return shown + "» ";
}

void encodeLine(std::string_view line, int number, EncodeResult& result) {
  std::size_t pos = 0;
  int column = 0;
  while (pos < line.size()) {
    ++column;
    const std::size_t start = pos;
    const auto ch = decodeStrictUtf8(line, pos);
    if (!ch) {
      result.problems.push_back({number, column,
                                 "строка не в кодировке UTF-8 (байт 0x" +
                                     hex(static_cast<unsigned char>(line[start]), 2) + ")"});
      return;  // the rest of the line cannot be trusted to be characters at all
    }
    const int byte = unicodeToCp1251(*ch);
    if (byte < 0) {
      result.problems.push_back({number, column,
                                 "символ " + shownCharacter(*ch) + "(U+" + hex(*ch, 4) +
                                     ") не входит в кодировку Windows-1251"});
      continue;
    }
    result.bytes.push_back(static_cast<char>(byte));
  }
}

bool readWhole(const std::string& name, std::string& bytes) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool writeOut(const std::string& name, std::string_view bytes, std::ostream& err) {
  try {
    writeFileAtomically(name, bytes);
    return true;
  } catch (const FileError&) {
    err << "kelmora-data: не удалось записать файл " << name << "\n";
    return false;
  }
}

int encodeCommand(const std::string& in, const std::string& out, std::ostream& err) {
  std::string source;
  std::error_code ec;
  if (std::filesystem::is_directory(in, ec) || !readWhole(in, source)) {
    err << "kelmora-data: не удалось прочитать файл " << in << "\n";
    return kExitFailure;
  }
  const EncodeResult result = encodeLines(source);
  if (!result.problems.empty()) {
    for (std::size_t i = 0; i < result.problems.size() && i < kShownProblems; ++i) {
      const auto& p = result.problems[i];
      err << in << ":" << p.line << ": ошибка: " << p.message << ", позиция " << p.column << "\n";
    }
    if (result.problems.size() > kShownProblems) {
      err << in << ": и ещё ошибок: " << result.problems.size() - kShownProblems << "\n";
    }
    err << "kelmora-data: файл " << out << " не записан\n";
    return kExitFailure;
  }
  return writeOut(out, result.bytes, err) ? 0 : kExitFailure;
}

void printUsage(std::ostream& os) {
  os << "Использование:\n"
        "  kelmora-data encode ВХОД.txt ВЫХОД    текст UTF-8 -> Windows-1251 с концами строк CR "
        "LF\n"
        "  kelmora-data blank-records ВЫХОД      пустая таблица рекордов (3600 нулевых байтов)\n"
        "  kelmora-data --version                версия и лицензия\n"
        "Символ, которого нет в Windows-1251, или текст не в UTF-8 — ошибка: файл не "
        "записывается,\n"
        "код возврата 2.\n";
}

}  // namespace

EncodeResult encodeLines(std::string_view utf8) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());
  EncodeResult result;
  result.bytes.reserve(utf8.size() + utf8.size() / 16);
  int number = 0;
  for (const auto& line : splitLines(utf8)) {
    encodeLine(line, ++number, result);
    result.bytes += "\r\n";
  }
  if (!result.problems.empty()) result.bytes.clear();
  return result;
}

std::string blankRecords() {
  const RecordsTable table{};
  std::string bytes(RecordsTable::kFileSize, '\0');
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    table.entries[i].toBytes(reinterpret_cast<std::uint8_t*>(bytes.data()) +
                             i * RecordEntry::kSize);
  }
  return bytes;
}

int runDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    printUsage(out);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << versionText("kelmora-data");
    return 0;
  }
  if (args.size() == 3 && args[0] == "encode") return encodeCommand(args[1], args[2], err);
  if (args.size() == 2 && args[0] == "blank-records") {
    return writeOut(args[1], blankRecords(), err) ? 0 : kExitFailure;
  }
  printUsage(err);
  return kExitFailure;
}

}  // namespace kelmora::tools
