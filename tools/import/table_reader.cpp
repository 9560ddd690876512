#include "import/table_reader.h"

#include <algorithm>
#include <array>

#include "import/unicode.h"

namespace kelmora::import {

namespace {

// By the first line that has anything on it: a table may start with blank lines.
char guessDelimiter(std::string_view text) {
  const auto start = std::min(text.find_first_not_of("\r\n"), text.size());
  const std::string_view first = text.substr(start, text.find_first_of("\r\n", start) - start);
  char best = ',';
  std::ptrdiff_t most = 0;
  for (const char d : {'\t', ';', ','}) {
    const auto n = std::count(first.begin(), first.end(), d);
    if (n > most) {
      most = n;
      best = d;
    }
  }
  return best;
}

enum class Column { kIgnored, kQuestion, kAnswer, kTopic };

// Header names as spreadsheets of quiz questions use them, folded, matched at the start.
constexpr std::array<std::u32string_view, 4> kQuestionNames = {U"вопрос", U"question", U"текст",
                                                               U"q"};
constexpr std::array<std::u32string_view, 10> kAnswerNames = {
    U"ответ",       U"answer", U"вариант", U"альтернатив", U"alternative",
    U"принимается", U"зачет",  U"a",       U"правильн",    U"right"};
constexpr std::array<std::u32string_view, 6> kTopicNames = {U"тема",     U"topic",    U"theme",
                                                            U"категори", U"category", U"раздел"};

template <std::size_t N>
bool named(const std::u32string& cell, const std::array<std::u32string_view, N>& names) {
  return std::any_of(names.begin(), names.end(), [&](std::u32string_view name) {
    // One-letter names only as the whole cell: "a" must not claim "автор".
    return name.size() == 1 ? cell == name : cell.starts_with(name);
  });
}

Column columnOf(const std::string& cell) {
  std::u32string name = foldForMatch(toUtf32(cell));
  std::erase_if(name, [](char32_t ch) { return isBlank(ch) || ch == ':' || ch == '*'; });
  if (named(name, kQuestionNames)) return Column::kQuestion;
  if (named(name, kTopicNames)) return Column::kTopic;
  if (named(name, kAnswerNames)) return Column::kAnswer;
  return Column::kIgnored;
}

// The header's columns, when the first record is a header: one question column and at least
// one answer column by name.
std::optional<std::vector<Column>> headerColumns(const TableRecord& first) {
  std::vector<Column> columns;
  for (const auto& cell : first.cells)
    columns.push_back(columnOf(cell));
  const auto questions = std::count(columns.begin(), columns.end(), Column::kQuestion);
  const auto answers = std::count(columns.begin(), columns.end(), Column::kAnswer);
  if (questions != 1 || answers == 0) return std::nullopt;
  return columns;
}

bool blank(const std::string& cell) {
  return std::all_of(cell.begin(), cell.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

}  // namespace

std::vector<TableRecord> parseTable(std::string_view text, char delimiter) {
  if (delimiter == 0) delimiter = guessDelimiter(text);
  std::vector<TableRecord> records;
  TableRecord record;
  std::string cell;
  int line = 1;
  record.line = 1;
  bool quoted = false;       // inside a quoted field
  bool cellStarted = false;  // a quote only opens a field at its very start
  auto endCell = [&] {
    record.cells.push_back(std::move(cell));
    cell.clear();
    cellStarted = false;
  };
  auto endRecord = [&](int nextLine) {
    endCell();
    const bool empty = std::all_of(record.cells.begin(), record.cells.end(), blank);
    if (!empty) records.push_back(std::move(record));
    record = TableRecord{};
    record.line = nextLine;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          cell.push_back('"');
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++line;
        cell.push_back(c);
      }
    } else if (c == '"' && !cellStarted) {
      quoted = true;
      cellStarted = true;
    } else if (c == delimiter) {
      endCell();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      endRecord(line);
    } else {
      cell.push_back(c);
      cellStarted = true;
    }
  }
  if (!cell.empty() || !record.cells.empty() || quoted) endRecord(line);
  return records;
}

Source readTable(std::string_view bytes, char delimiter, const std::string& topic) {
  const std::string text = decodeTable(bytes);
  const auto records = parseTable(text, delimiter);
  Source source;
  if (records.empty()) return source;

  auto header = headerColumns(records.front());
  std::size_t first = header ? 1 : 0;
  std::vector<Column> columns;
  if (header) {
    columns = std::move(*header);
  } else {
    std::size_t widest = 0;
    for (const auto& r : records)
      widest = std::max(widest, r.cells.size());
    if (widest < 2) {
      throw ImportError(
          "в таблице один столбец: нужны хотя бы столбец вопроса и столбец ответа (разделитель — "
          "табуляция, «;» или «,»)");
    }
    columns.assign(widest, Column::kAnswer);
    columns[0] = Column::kQuestion;
  }

  const Column runsOn = columns.back() == Column::kAnswer ? Column::kAnswer : Column::kIgnored;
  for (std::size_t r = first; r < records.size(); ++r) {
    const TableRecord& record = records[r];
    SourceQuestion q;
    q.topic = topic;
    q.position = "строка " + std::to_string(record.line);
    for (std::size_t c = 0; c < record.cells.size(); ++c) {
      const std::string& cell = record.cells[c];
      // Cells past the header run on from its last column: an author who typed one answer
      // under "Ответ" and more beside it means them all, and they must not vanish unreported.
      switch (c < columns.size() ? columns[c] : runsOn) {
        case Column::kQuestion:
          q.text = cell;
          break;
        case Column::kTopic:
          if (!blank(cell)) q.topic = cell;
          break;
        case Column::kAnswer:
          if (!blank(cell)) q.answers.push_back(cell);
          break;
        case Column::kIgnored:
          break;
      }
    }
    if (blank(q.text)) {
      source.skipped.push_back({q.position, "нет текста вопроса"});
      continue;
    }
    source.questions.push_back(std::move(q));
  }
  return source;
}

}  // namespace kelmora::import
