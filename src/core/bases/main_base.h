#pragma once

// The main question base, kelmora.db: one question per line, read once per run.

#include <filesystem>
#include <string>

#include "core/bases/question_table.h"
#include "core/files/game_files.h"
#include "core/text/notify.h"

namespace kelmora {

struct QuestionBase : QuestionTable {
  static constexpr int kCapacity = 501;
  QuestionBase() : QuestionTable(kCapacity) {}
};

// The message for an erroneous line; lineNumber counts from 1.
std::string erroneousLineMessage(int lineNumber);
// The message for a base with more lines than the game holds.
std::string mainBaseOverflowMessage(long long lines);

// Reads dir/kelmora.db into base. Erroneous lines are reported one by one and keep their
// index with an empty text and empty slots. Lines past the capacity are not loaded; the
// player is told once, and questionCount is what can really be drawn.
// Throws FileError "Cannot open file kelmora.db".
void loadMainBase(const std::filesystem::path& dir, QuestionBase& base, const Notify& notify);

// One line into row i of a table, as the main base reads it; false for an erroneous line.
bool parseMainLine(std::string_view line, QuestionTable& table, int i);

}  // namespace kelmora
