// Putting questions on screen and judging the answers.
#include "core/engine/game.h"
#include "core/text/answer_match.h"
#include "core/text/cp1251.h"

namespace kelmora {

namespace {

template <int N>
int drawUnused(Random& random, int count, UsedList<N>& used, int* redraws) {
  // With every question of the base asked in this cycle the list starts over: a small base
  // repeats questions instead of drawing for ever.
  if (used.count >= count) used.clear();
  int c = random.randomIndex(count);
  while (used.contains(c + 1)) {
    if (redraws) ++*redraws;
    c = random.randomIndex(count);
  }
  used.add(c + 1);
  return c;
}

}  // namespace

void Game::drawQuestion(bool fromMain, events::Why why) {
  state_.redrawCount = 0;
  screen_.questionLines.clear();
  const QuestionTable& base = questionsFrom(fromMain);
  if (base.questionCount == 0) return;  // the buttons keep an empty base from being drawn
  const int c = fromMain
                    ? drawUnused(random_, base.questionCount, state_.usedMain, &state_.redrawCount)
                    : drawUnused(random_, base.questionCount, state_.usedReplacement, nullptr);
  screen_.questionLines = {base.questionTexts[static_cast<std::size_t>(c)]};
  state_.currentQuestion = c;
  state_.replacementShown = !fromMain;
  report(events::QuestionShown{base.questionTexts[static_cast<std::size_t>(c)], !fromMain, why,
                               state_.round, state_.round - state_.correctInRound});
}

void Game::checkAnswer(std::string_view typed) {
  handle([&] {
    if (typed.empty() || !running()) return;
    screen_.answerBox.text = std::string(typed);
    appendLog(std::string("[Вопрос] - "_cp) + std::to_string(state_.currentQuestion) + "(" +
              std::to_string(state_.redrawCount) + ") " + std::string("[Ответ] - "_cp) +
              std::string(typed));
    screen_.answerBox.set(normalizeAnswer(typed));
    const QuestionTable& base = questionsFrom(!state_.replacementShown);
    const bool right =
        answerMatches(typed, base.answerVariants[static_cast<std::size_t>(state_.currentQuestion)]);
    state_.replacementShown = false;
    report(events::AnswerJudged{right});
    if (right) {
      acceptRightAnswer();
    } else {
      loseGame();
    }
  });
}

}  // namespace kelmora
