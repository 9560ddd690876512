#pragma once

// Questions asked twice: in one file, in the main base and in a topic, or in two topics. A
// player who meets a question again in a game learns nothing new from it.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "check/base_checker.h"

namespace kelmora::check {

// Where a question stands, for the message about its repeat.
struct QuestionPlace {
  std::string file;  // as the author named it
  int line = 0;
  std::string topic;  // code page; empty in the main base
};

// The questions of every file checked, in order; a question that repeats an earlier one is
// reported at the later one.
//
// The same question: the same words once case is folded, "ё" read as "е" and punctuation
// dropped. Nearly the same question: the same words in other forms or another order (each
// word reduced by stem()), or at least one common answer variant and more than half of the
// subject words (those that are not frameWord()s) in common.
class RepeatIndex {
 public:
  // The questions added from now on belong to file number source (0 at the start).
  void startFile(std::size_t source) { source_ = source; }
  // variants: the non-empty answer slots of the question.
  void add(std::string_view text, const std::vector<std::string>& variants, QuestionPlace place);

  struct Repeat {
    std::size_t source;
    Finding finding;
  };
  // Every question that repeats an earlier one, in the order added.
  std::vector<Repeat> repeats() const;

 private:
  struct Entry {
    std::size_t source;
    QuestionPlace place;
    std::string text;
    std::string words;         // the folded words, in order
    std::vector<int> stems;    // sorted ids of all the stems
    std::vector<int> subject;  // sorted ids of the subject stems
    std::vector<std::string> variants;
  };

  std::vector<int> idsOf(const std::vector<std::string>& words);

  std::size_t source_ = 0;
  std::vector<Entry> entries_;
  std::unordered_map<std::string, int> wordIds_;
};

}  // namespace kelmora::check
