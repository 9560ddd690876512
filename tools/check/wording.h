#pragma once

// How the checks read the words of a question, to compare questions with each other and a
// question with its own answers. Every text here is in the code page.

#include <string>
#include <string_view>
#include <vector>

namespace kelmora::check {

// The words of a text with Cyrillic and Latin case folded and "ё" read as "е". Anything
// other than a letter or a digit separates words, so punctuation and blanks do not count.
std::vector<std::string> foldedWords(std::string_view text);

// A folded word as near-identical questions compare it: a Cyrillic word loses its closing
// vowels, "й" and "ь" (keeping at least three letters) and is cut to five letters, so that
// "битва" and "битву", "Японии" and "Япония" are one word. Latin words and numbers are kept.
std::string stem(std::string_view folded);

// Prepositions, conjunctions, question words and "называется": the frame a question is
// built on ("В каком году ...?", "Как называется ...?") rather than what it asks about.
bool frameWord(std::string_view folded);

// A word a player could copy from the question into the answer box: a run of letters, digits
// and "-", as written and as the game would take it once typed.
struct TypedWord {
  std::string_view written;  // points into the question text
  std::string typed;         // normalised exactly as the game normalises a typed answer
};
std::vector<TypedWord> typedWords(std::string_view text);

// A Cyrillic variant without its closing vowels, "й" and "ь": what its other forms
// ("москва", "Москвы", "Москве") begin with. Empty for any other variant.
std::string variantStem(std::string_view variant);

// A question about a year: its text asks "в каком году", "к какому году", "какого года", ...
bool asksForYear(std::string_view text);
// A question about a count: its text asks "сколько".
bool asksHowMany(std::string_view text);

}  // namespace kelmora::check
