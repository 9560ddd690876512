// Judging at its edges: every one of the five answer slots counts, the filler only where a
// question has fewer than five variants, and the answer is normalised before it is judged.
#include <gtest/gtest.h>

#include "engine/engine_harness.h"

namespace kelmora {
namespace {

using test::cp;
using test::Harness;

// Question 0 has five variants, 1 has four, 2 has one, 3 has two. Variants are compared as
// written, so an author writes "е" for "ё".
const std::string kBase =
    cp("Пять?\\альфа бета гамма дельта эпсилон/\r\n"
       "Четыре?\\один два три четыре/\r\n"
       "Один?\\единственный/\r\n"
       "Два?\\яблоко еж/\r\n");

// Typed into the answer box of question q and judged; true when the game goes on.
bool judgedRight(int q, const std::string& typed) {
  Harness h(kBase);
  h.random.script = {q};
  h.game.newGame(0);
  h.game.checkAnswer(typed);
  return h.game.running();
}

TEST(AnswerSlots, EachSlotAloneIsARightAnswer) {
  const struct {
    int question;
    const char* typed;
    bool right;  // a wrong verdict here loses a game the player had won
  } cases[] = {
      {0, "альфа", true},   {0, "бета", true},   {0, "гамма", true},        {0, "дельта", true},
      {0, "эпсилон", true}, {0, "xcode", false}, {0, "омега", false},       {1, "один", true},
      {1, "четыре", true},  {1, "xcode", true},  {2, "единственный", true}, {2, "xcode", true},
      {3, "ёж", true},      {3, "яблоко", true}, {3, "xcod", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(judgedRight(c.question, cp(c.typed)), c.right) << c.question << " " << c.typed;
}

TEST(AnswerSlots, TheTypedAnswerIsNormalisedBeforeItIsJudged) {
  EXPECT_TRUE(judgedRight(3, cp("Яблоко!")));
  EXPECT_TRUE(judgedRight(3, cp("Ё-Ж")));
}

TEST(AnswerSlots, AReplacementQuestionIsJudgedOnItsOwnFiveSlots) {
  Harness h(kBase);
  h.dir.write("zamen.db", cp("[Тема]\r\nЗамена?\\первый второй третий четвёртый пятый/\r\n%\r\n"));
  h.game.startUp(cp("Игрок"));
  for (const char* typed : {"первый", "третий", "пятый"}) {
    h.random.script = {0};
    h.game.newGame(0);
    h.game.replaceQuestion();
    ASSERT_EQ(h.game.screen().questionLines, std::vector<std::string>{cp("Замена?")});
    h.game.checkAnswer(cp(typed));
    EXPECT_EQ(h.game.state().correctInRound, 0) << typed;  // round 1 was cleared by it
    EXPECT_EQ(h.game.state().round, 2) << typed;
    h.answerWrong();
    h.game.chooseGongColumn(1);
    h.game.stopGong();
  }
}

}  // namespace
}  // namespace kelmora
