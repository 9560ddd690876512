// Any bytes as res.res, then one finished game entered as the game enters it: the file must
// stay exactly 3600 bytes, keep every entry above the new one untouched, and stay best first
// when it was.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/file_error.h"
#include "core/players/binary_file.h"
#include "core/players/records.h"
#include "core/text/cp1251.h"
#include "core/text/one_line.h"
#include "fuzz_files.h"

using namespace kelmora;

namespace {

std::string entryBytes(const RecordEntry& entry) {
  std::array<std::uint8_t, RecordEntry::kSize> raw{};
  entry.toBytes(raw.data());
  return {raw.begin(), raw.end()};
}

bool bestFirst(const RecordsTable& table) {
  return std::is_sorted(table.entries.begin(), table.entries.end(),
                        [](const auto& a, const auto& b) { return a.winnings > b.winnings; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::fileBytes(data, size);
  const auto& dir = fuzz::freshDir();
  fuzz::writeFile(dir / kRecordsFile, bytes);

  RecordsTable table;
  try {
    table = readRecords(dir);
  } catch (const FileError& e) {
    FUZZ_CHECK(bytes.size() < RecordsTable::kFileSize);
    FUZZ_CHECK(std::string_view(e.what()) == "Read beyond end of file");
    return 0;
  }
  FUZZ_CHECK(bytes.size() >= RecordsTable::kFileSize);
  const bool sorted = bestFirst(table);

  // The bytes past the table pick the game's result: the payout (or, without four of them, a
  // payout equal to an entry's), then the player's name.
  const std::string_view extra = bytes.substr(RecordsTable::kFileSize);
  const std::int32_t payout = extra.size() >= 4 ? readInt32LE(data + RecordsTable::kFileSize)
                                                : table.entries[extra.size() * 33].winnings;
  const std::string_view name = extra.size() > 4 ? extra.substr(4) : "Игрок"_cp;
  const std::string_view date = "07.12.25";

  const int place = placeFor(table, payout);
  FUZZ_CHECK(place >= 0 && place <= RecordsTable::kEntries);
  const auto above = static_cast<std::size_t>(place == 0 ? RecordsTable::kEntries : place - 1);
  for (std::size_t i = 0; i < above; ++i)
    FUZZ_CHECK(table.entries[i].winnings > payout);

  if (place > 0) {
    const RecordsTable before = table;
    insertEntry(table, place, name, date, payout);
    const auto& entry = table.entries[above];
    FUZZ_CHECK(entry.winnings == payout);
    // A name is one line in the table, whatever bytes it came with.
    FUZZ_CHECK(entry.name == oneLine(name.substr(0, 20)) && entry.date == date);
    for (std::size_t i = above + 1; i < table.entries.size(); ++i)
      FUZZ_CHECK(entryBytes(table.entries[i]) == entryBytes(before.entries[i - 1]));
  }

  writeRecords(dir, table);
  const std::string saved = fuzz::readFile(dir / kRecordsFile);
  FUZZ_CHECK(saved.size() == RecordsTable::kFileSize);
  FUZZ_CHECK(saved.substr(0, above * RecordEntry::kSize) ==
             bytes.substr(0, above * RecordEntry::kSize));

  const RecordsTable reread = readRecords(dir);
  for (std::size_t i = 0; i < reread.entries.size(); ++i)
    FUZZ_CHECK(entryBytes(reread.entries[i]) == entryBytes(table.entries[i]));
  if (sorted) FUZZ_CHECK(bestFirst(reread));
  return 0;
}
