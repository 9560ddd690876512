#include "core/players/records.h"

#include <algorithm>

#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/players/binary_file.h"
#include "core/text/cp1251.h"
#include "core/text/one_line.h"

namespace kelmora {

RecordEntry RecordEntry::fromBytes(const std::uint8_t* raw) {
  RecordEntry e;
  e.name = ShortString<20>::fromBytes(raw);
  e.date = ShortString<8>::fromBytes(raw + 21);
  std::copy_n(raw + 30, e.reserved.size(), e.reserved.begin());
  e.winnings = readInt32LE(raw + 32);
  return e;
}

void RecordEntry::toBytes(std::uint8_t* raw) const {
  std::copy(name.bytes().begin(), name.bytes().end(), raw);
  std::copy(date.bytes().begin(), date.bytes().end(), raw + 21);
  std::copy(reserved.begin(), reserved.end(), raw + 30);
  writeInt32LE(raw + 32, winnings);
}

RecordsTable readRecords(const std::filesystem::path& dir) {
  const auto bytes = readFilePrefix(dir / kRecordsFile, RecordsTable::kFileSize);
  if (bytes.size() < RecordsTable::kFileSize) throw FileError::readBeyondEnd();
  RecordsTable table;
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    table.entries[i] = RecordEntry::fromBytes(bytes.data() + i * RecordEntry::kSize);
  }
  return table;
}

void writeRecords(const std::filesystem::path& dir, const RecordsTable& table) {
  std::array<std::uint8_t, RecordsTable::kFileSize> bytes{};
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    table.entries[i].toBytes(bytes.data() + i * RecordEntry::kSize);
  }
  writeFileAtomically(dir / kRecordsFile,
                      {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

int placeFor(const RecordsTable& table, std::int32_t payout) {
  const auto it = std::find_if(table.entries.begin(), table.entries.end(),
                               [payout](const RecordEntry& e) { return e.winnings <= payout; });
  return it == table.entries.end() ? 0 : static_cast<int>(it - table.entries.begin()) + 1;
}

void insertEntry(RecordsTable& table, int place, std::string_view name, std::string_view date,
                 std::int32_t payout) {
  auto& entries = table.entries;
  const auto at = entries.begin() + (place - 1);
  std::move_backward(at, entries.end() - 1, entries.end());
  at->name.assign(oneLine(name));
  at->date.assign(oneLine(date));
  at->winnings = payout;
}

std::vector<std::array<std::string, 4>> recordsRows(const RecordsTable& table) {
  std::vector<std::array<std::string, 4>> rows;
  rows.reserve(table.entries.size());
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    const auto& e = table.entries[i];
    rows.push_back(
        {std::to_string(i + 1) + ".", e.name.str(), e.date.str(), std::to_string(e.winnings)});
  }
  return rows;
}

std::string placeMessage(int place) {
  return std::string("Вы попали на "_cp) + std::to_string(place) +
         std::string(" место в таблице рекордов!"_cp);
}

}  // namespace kelmora
