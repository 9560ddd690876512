#pragma once

// Questions from a spreadsheet saved as CSV or TSV: a question column, an answer column, and
// optionally more answer columns (or one of alternatives separated by ";" or "/") and a
// topic column. With a header row the columns are found by their names; without one the first
// column is the question and every further column an answer.

#include <string>
#include <string_view>
#include <vector>

#include "import/source.h"

namespace kelmora::import {

struct TableRecord {
  int line = 0;  // where the record starts, from 1
  std::vector<std::string> cells;
};

// Fields as spreadsheets write them: quoted fields may hold the delimiter, line breaks and
// doubled quotes. delimiter 0 picks the one of tab, ";" and "," that the first line has most
// of. Text is UTF-8 (see decodeTable).
std::vector<TableRecord> parseTable(std::string_view utf8, char delimiter);

// A whole table; topic is the name of the questions that have no topic column. Throws
// ImportError for a table with no column to take questions from.
Source readTable(std::string_view bytes, char delimiter, const std::string& topic);

}  // namespace kelmora::import
