#pragma once

// What the main base and the topics base checks share.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/base_checker.h"
#include "check/repeats.h"
#include "core/bases/question_table.h"

namespace kelmora::check {

// The findings of one file.
class Report {
 public:
  explicit Report(std::string file) : file_(std::move(file)) {}
  void error(int line, std::string message) { add(line, Severity::kError, std::move(message)); }
  void warning(int line, std::string message) { add(line, Severity::kWarning, std::move(message)); }
  void note(int line, std::string message) { add(line, Severity::kNote, std::move(message)); }
  // Sorted by line, in the order found within a line.
  std::vector<Finding> take();

 private:
  void add(int line, Severity severity, std::string message);
  std::string file_;
  std::vector<Finding> findings_;
};

// A file as the game's line reader delivers it: lines cut at kMaxLineLength.
struct RawFile {
  std::vector<std::string> lines;
  std::vector<bool> cut;  // whether line i lost its tail
};

// Reports a missing or unreadable file and returns nothing then.
std::optional<RawFile> readRaw(const std::filesystem::path& file, Report& report);

// The line (from 1) of the first multi-byte UTF-8 sequence when most upper-half bytes of the
// file form such sequences, that is when the file was saved as UTF-8; 0 otherwise.
int utf8Line(const std::vector<std::string>& lines);

// A private directory among the system's temporary ones, removed with what it holds. It is
// made to hold a copy of the game's file `gameName`, which is what a failure names.
class ScratchDir {
 public:
  explicit ScratchDir(const char* gameName);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The game's loaders read a fixed name inside a directory. A file of another name is copied
// under that name into a private directory, so that exactly the game's code reads it.
class StagedBase {
 public:
  StagedBase(const std::filesystem::path& file, const char* gameName);
  const std::filesystem::path& dir() const { return scratch_ ? scratch_->path() : dir_; }

 private:
  std::filesystem::path dir_;
  std::optional<ScratchDir> scratch_;
};

// Code-page text for a message: «...» around its UTF-8.
std::string inQuotes(std::string_view cp);
// "1 вопрос", "3 вопроса", "5 вопросов".
std::string counted(long long n, const char* one, const char* few, const char* many);

// The checks of one question line once split into question text and answer part.
void checkQuestion(std::string_view text, std::string_view answerPart, int line, Report& report);

// What the game stores of the author's variants: the first five, cut to the slot length;
// empty variants left out.
std::vector<std::string> storedVariants(std::string_view answerPart);

// The variants against their own question: answers the question gives away, Latin capitals
// a player cannot match, years without their "г" and "год" forms, rulers' numbers and
// apostrophes without their twins, a question asking an oblique case of a one-form answer.
void checkAnswerForms(std::string_view text, const std::vector<std::string>& variants, int line,
                      Report& report);

// The checks of one file; its questions go into repeats, to be compared with those of the
// other files checked with it.
std::vector<Finding> checkMainBase(const std::filesystem::path& file, const std::string& shown,
                                   RepeatIndex& repeats);
std::vector<Finding> checkTopicsBase(const std::filesystem::path& file, const std::string& shown,
                                     RepeatIndex& repeats);

// Adds the repeats of one file to its findings, keeping them sorted by line.
void withRepeats(std::vector<Finding>& findings, const std::vector<RepeatIndex::Repeat>& repeats,
                 std::size_t source = 0);

}  // namespace kelmora::check
