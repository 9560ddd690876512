#pragma once

// The records table, res.res: exactly 100 entries of 36 bytes, best first. It is read afresh
// for every insertion and every showing, and always written whole.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/game_files.h"
#include "core/text/short_string.h"

namespace kelmora {

struct RecordEntry {
  static constexpr std::size_t kSize = 36;

  ShortString<20> name;
  ShortString<8> date;
  std::array<std::uint8_t, 2> reserved{};
  std::int32_t winnings = 0;

  static RecordEntry fromBytes(const std::uint8_t* raw);
  void toBytes(std::uint8_t* raw) const;
};

struct RecordsTable {
  static constexpr int kEntries = 100;
  static constexpr std::size_t kFileSize = kEntries * RecordEntry::kSize;  // 3600

  std::array<RecordEntry, kEntries> entries{};  // place p is entries[p - 1]
};

// Throws FileError "File not found", "Read beyond end of file" (shorter than 3600 bytes) or
// "Cannot open file res.res". Bytes past the 3600 are ignored.
RecordsTable readRecords(const std::filesystem::path& dir);
// Replaces res.res with exactly 3600 bytes. Throws FileError "Cannot create file res.res".
void writeRecords(const std::filesystem::path& dir, const RecordsTable& table);

// The place a payout takes: the first entry whose winnings are not above it, so a payout
// equal to earlier results goes above them; 0 when it does not enter the table.
int placeFor(const RecordsTable& table, std::int32_t payout);

// Moves places p..99 down one (the last entry falls out) and fills place p. Name and date are
// cut to their fields, a control character in them stored as a blank; the entry's other bytes
// keep what the slot held.
void insertEntry(RecordsTable& table, int place, std::string_view name, std::string_view date,
                 std::int32_t payout);

std::string placeMessage(int place);

// The records window's rows: "1." to "100.", then name, date and winnings as the player sees
// them (negative winnings with their minus sign, no thousands separators).
std::vector<std::array<std::string, 4>> recordsRows(const RecordsTable& table);

}  // namespace kelmora
