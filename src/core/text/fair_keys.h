#pragma once

// What a fair key holds besides what its author thought of: the forms in which players type
// the same answer. The base checker warns about a key that lacks them and the importer adds
// them, so both follow these rules and never two copies of them.

#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// Variants work on normalised answers in Windows-1251 bytes (as AnswerVariant holds them).
//
// The twins a fair key also holds for this variant, never the variant itself, in a stable
// order:
// - a number from 1 to 39 after a name of at least three Cyrillic letters ("петр1",
//   "людовик14") also in Roman numerals of Latin capitals ("петрI"), the way "Пётр I" arrives,
//   and in Latin small letters ("петрi"), since Latin keeps the case it was typed in; a
//   Roman-numeral variant ("николайII", "николайii") has the other two forms as its twins;
// - a variant with an apostrophe (', `, ‘, ’ or ´, all kept by the normalisation) also without
//   it ("жаннадарк"), and one written with a typographic apostrophe also with the plain one,
//   which is what a keyboard gives. The way back cannot be derived: nothing tells where an
//   apostrophe would go.
std::vector<std::string> fairTwins(std::string_view variant);

// The Roman-numeral twins alone, and the apostrophe twins alone (fairTwins is both).
std::vector<std::string> numeralTwins(std::string_view variant);
std::vector<std::string> apostropheTwins(std::string_view variant);

// Whether the number that ends this variant is a ruler's ordinal rather than part of a name
// ("восток1", the ship): the key also holds the name with an ordinal word or in Roman
// numerals ("петрпервый", "петрI"), or the question writes a Roman numeral or speaks of
// rulers (tsar, emperor, king, prince, pope, throne, ...). Question text in Windows-1251.
bool rulerOrdinal(std::string_view variant, std::string_view question,
                  const std::vector<std::string>& key);

// A twin the key lacks, and the variant it belongs to.
struct MissingTwin {
  std::string variant;
  std::string twin;
};
// Every twin fairTwins asks of the key's variants that the key does not hold, Roman numerals
// only where rulerOrdinal says the number is one; each variant once, in the key's order.
std::vector<MissingTwin> missingTwins(std::string_view question,
                                      const std::vector<std::string>& key);

// Whether the question's wording asks for an oblique case of its answer (first words "Кого",
// "Какого", "Какому", "Какую", "Каким", "Кому", "Чей", "С помощью какого", "По проекту
// какого", …), question text in Windows-1251. Not for a year, a century, a date or a count
// ("Какого числа", "В каком году"), nor for a name asked as such ("Под каким именем", "Какую
// фамилию"), nor for the prepositional case ("В каком городе"), where players answer in the
// nominative anyway.
bool asksObliqueCase(std::string_view question);

// Whether the key holds two case forms of one word ("рюрик" and "рюрика", "красный" and
// "красного"), which is what a key for an oblique question needs: players type the form the
// question asks for as often as the dictionary form. A key whose first variant cannot be
// declined (a foreign word ending in a vowel other than "а"/"я", digits, Latin) needs none
// and counts as holding them.
bool holdsCaseForms(const std::vector<std::string>& key);

// A question that asks an oblique case of an answer the key holds in one form only, where the
// form asked for differs ("Какую планету ...?" asks "марс" as it is, "Какую царевну ...?"
// asks "европу" besides "европа").
bool lacksAskedCase(std::string_view question, const std::vector<std::string>& key);

}  // namespace kelmora
