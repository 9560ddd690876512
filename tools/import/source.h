#pragma once

// What a reader hands on: questions as their source wrote them (UTF-8), each with where it
// stood, and the questions a reader already knows it cannot take, with the reason. Deriving
// what the game stores is left to one place (variants.h), whatever the source format.

#include <stdexcept>
#include <string>
#include <vector>

namespace kelmora::import {

struct SourceQuestion {
  std::string topic;  // the theme or topic column; empty for the default topic
  std::string position;  // "строка 12", "раунд «1», тема «Кино», вопрос 3"
  std::string text;
  std::vector<std::string> answers;  // one entry per answer cell or <answer>, not yet split
};

struct Skipped {
  std::string position;
  std::string reason;
};

struct Source {
  std::vector<SourceQuestion> questions;
  std::vector<Skipped> skipped;
};

// The source as a whole cannot be read: nothing of it is taken. The message is UTF-8 and
// says what is wrong in the author's terms.
class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kelmora::import
