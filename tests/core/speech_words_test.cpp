// What the screen reader says: numbers that agree with their words, and one utterance for each
// command, with nothing left over from a finished game.
#include <gtest/gtest.h>

#include "core/speech/words.h"
#include "core/text/cp1251.h"
#include "test_support.h"

namespace kelmora {
namespace {

using namespace events;
using speech::Narrator;
using test::cp;

std::string said(Narrator& n) {
  return toUtf8(n.take());
}

TEST(SpeechWords, SumsAndTimesAgreeWithTheirNumbers) {
  const std::pair<int, const char*> sums[] = {
      {0, "0 рублей"},      {1, "1 рубль"},        {2, "2 рубля"},       {5, "5 рублей"},
      {11, "11 рублей"},    {14, "14 рублей"},     {21, "21 рубль"},     {1000, "1000 рублей"},
      {2500, "2500 рублей"}, {15001, "15001 рубль"}, {50002, "50002 рубля"}};
  for (const auto& [amount, words] : sums)
    EXPECT_EQ(toUtf8(speech::roubles(amount)), words) << amount;
  EXPECT_EQ(toUtf8(speech::duration(240)), "4 минуты");
  EXPECT_EQ(toUtf8(speech::duration(192)), "3 минуты 12 секунд");
  EXPECT_EQ(toUtf8(speech::duration(61)), "1 минута 1 секунда");
  EXPECT_EQ(toUtf8(speech::duration(29)), "29 секунд");
  EXPECT_EQ(toUtf8(speech::duration(22)), "22 секунды");
  EXPECT_EQ(toUtf8(speech::timeLeftWords(true, 10)), "Осталось 10 секунд.");
  EXPECT_EQ(toUtf8(speech::timeLeftWords(false, 10)), "Часы стоят.");
}

TEST(SpeechWords, ACommandIsOneUtterance) {
  Narrator n;
  n.hear(GameStarted{cp("История")});
  n.hear(QuestionShown{cp("Столица\r\n  Франции?"), false, Why::Drawn, 1, 1});
  EXPECT_EQ(said(n), "Новая игра. Раунд 1, нужен ещё 1 верный ответ. Вопрос: Столица Франции?");
  EXPECT_EQ(said(n), "");

  n.hear(AnswerJudged{true});
  n.hear(QuestionShown{cp("Q7"), false, Why::Drawn, 3, 2});
  EXPECT_EQ(said(n), "Верно. Раунд 3, нужно ещё 2 верных ответа. Вопрос: Q7.");
  n.hear(Passed{0});
  n.hear(QuestionShown{cp("Q8"), false, Why::AfterPass, 5, 5});
  EXPECT_EQ(said(n),
            "Пас. Больше пасов в этом раунде нет. Раунд 5, нужно ещё 5 верных ответов. Вопрос: "
            "Q8.");
  n.hear(Replaced{2});
  n.hear(QuestionShown{cp("T1"), true, Why::Replacement, 5, 5});
  EXPECT_EQ(said(n), "Замена. Осталось замен: 2. Раунд 5, нужно ещё 5 верных ответов. Вопрос: T1.");
  EXPECT_EQ(toUtf8(n.repeatQuestion()), "Раунд 5, нужно ещё 5 верных ответов. Вопрос: T1.");
}

TEST(SpeechWords, MessageBoxesSpeakForThemselves) {
  Narrator n;
  for (const GameEvent& e : {GameEvent{TimeOut{}}, GameEvent{GongEnded{GongOutcome::Struck, 0}},
                             GameEvent{GameEnded{1000}}, GameEvent{RecordPlaced{3, 1000}},
                             GameEvent{GongValueShown{0, true}}}) {
    n.hear(e);
    EXPECT_EQ(said(n), "") << describe(e);
  }
  EXPECT_TRUE(Narrator::leadsToModal(AnswerJudged{false}));
  EXPECT_FALSE(Narrator::leadsToModal(AnswerJudged{true}));
  EXPECT_TRUE(Narrator::leadsToModal(RoundWon{1, 1000, 12, 0}));
  EXPECT_FALSE(Narrator::leadsToModal(ClockWarning{29}));
  EXPECT_FALSE(Narrator::leadsToModal(GongStarted{2, 1000}));
}

TEST(SpeechWords, NothingStaleAfterTheGameEnds) {
  Narrator n;
  n.hear(GameStarted{""});
  n.hear(QuestionShown{cp("Q1"), false, Why::Drawn, 1, 1});
  n.take();
  n.hear(GameEnded{0});
  EXPECT_EQ(toUtf8(n.repeatQuestion()), "Вопроса нет. Новая игра: клавиша F2.");
  // A lead-in left unsaid by a game that ended is not said at the start of the next one.
  n.hear(MoneyTaken{1000});
  n.hear(GameStarted{""});
  n.hear(QuestionShown{cp("Q2"), false, Why::Drawn, 1, 1});
  EXPECT_EQ(said(n), "Новая игра. Раунд 1, нужен ещё 1 верный ответ. Вопрос: Q2.");
}

TEST(SpeechWords, EveryEventReadsAsWordsForTheEar) {
  Narrator n;
  const GameEvent all[] = {
      GameStarted{""},           QuestionShown{cp("Q"), false, Why::Drawn, 2, 1},
      AnswerJudged{false},       Passed{1},
      Replaced{0},               RoundWon{5, 50000, 200, 50000},
      MoneyTaken{51000},         ClockWarning{29},
      ClockWarning{10},          GongStarted{4, 5000},
      GongColumnChosen{3},       GongValueShown{4200, false}};
  for (const GameEvent& e : all) {
    n.hear(e);
    const std::string words = said(n);
    EXPECT_FALSE(words.empty()) << describe(e);
    EXPECT_EQ(words.find_first_of("[]{}<>_\\/|#"), std::string::npos) << words;
    // Sums are said in roubles, never as bare numbers.
    if (std::holds_alternative<GongValueShown>(e) || std::holds_alternative<RoundWon>(e)) {
      EXPECT_NE(words.find("рубл"), std::string::npos) << words;
    }
  }
}

}  // namespace
}  // namespace kelmora
