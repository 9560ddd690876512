#pragma once

// kelmora-check: what a question author needs to know about kelmora.db and zamen.db before
// the game reads them. Every check goes through the game's own loaders and line functions, so
// the tool never disagrees with the game about what a line means.

#include <filesystem>
#include <string>
#include <vector>

namespace kelmora::check {

// An error is something the game will get wrong or a player will be judged wrongly for; a
// warning is something the author most likely did not mean; a note is advice that makes a
// question fairer to the player.
enum class Severity { kNote, kWarning, kError };

struct Finding {
  std::string file;  // as the author named it
  int line = 0;      // from 1; 0 when the finding is about the file as a whole
  Severity severity = Severity::kError;
  std::string message;  // UTF-8
};

enum class BaseKind { kMain, kTopics };

// By name (kelmora.db, zamen.db); a file of any other name is a topics base when one of its
// lines starts with "[", as topic headers do.
BaseKind guessKind(const std::filesystem::path& file);

// shown is the name the findings carry. Findings come sorted by line.
std::vector<Finding> checkMainBase(const std::filesystem::path& file, const std::string& shown);
std::vector<Finding> checkTopicsBase(const std::filesystem::path& file, const std::string& shown);

struct BaseFile {
  std::filesystem::path path;
  std::string shown;
  BaseKind kind = BaseKind::kMain;
};

// Several files as the content of one game: besides each file's own findings, a question
// that repeats one of another file is reported, at the later one. Main bases come before
// topics bases, and otherwise the files come in the order given. Returns the findings of
// each file, in the order given.
std::vector<std::vector<Finding>> checkBases(const std::vector<BaseFile>& files);

// What the game will see: every question with its index and its five slots as stored, in
// UTF-8. Throws FileError when the file cannot be read.
std::string dumpMainBase(const std::filesystem::path& file, const std::string& shown);
std::string dumpTopicsBase(const std::filesystem::path& file, const std::string& shown);

// "kelmora.db:17: ошибка: ..." (without the line number for a whole-file finding).
std::string formatFinding(const Finding& finding);
// The closing line with the counts of each level.
std::string formatSummary(const std::vector<Finding>& findings);
// 0 clean or notes only, 1 warnings, 2 errors.
int exitStatus(const std::vector<Finding>& findings);

}  // namespace kelmora::check
