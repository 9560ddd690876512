#include "core/engine/events.h"

#include "core/text/cp1251.h"

namespace kelmora {

namespace {

std::string whyText(events::Why why) {
  switch (why) {
    case events::Why::Drawn:
      return "drawn";
    case events::Why::AfterPass:
      return "after a pass";
    case events::Why::Replacement:
      return "replacement";
  }
  return "?";
}

std::string outcomeText(events::GongOutcome outcome) {
  switch (outcome) {
    case events::GongOutcome::Stopped:
      return "stopped";
    case events::GongOutcome::Struck:
      return "struck";
    case events::GongOutcome::Maximum:
      return "maximum";
  }
  return "?";
}

struct Describe {
  std::string operator()(const events::GameStarted& e) const {
    return "game started, topic '" + toUtf8(e.topic) + "'";
  }
  std::string operator()(const events::QuestionShown& e) const {
    return "question (" + whyText(e.why) + (e.fromTopic ? ", topic" : "") + ") round " +
           std::to_string(e.round) + " needs " + std::to_string(e.rightNeeded) + ": " +
           toUtf8(e.text);
  }
  std::string operator()(const events::AnswerJudged& e) const {
    return e.right ? "right" : "wrong";
  }
  std::string operator()(const events::Passed& e) const {
    return "pass, " + std::to_string(e.passesLeft) + " left";
  }
  std::string operator()(const events::Replaced& e) const {
    return "replacement, " + std::to_string(e.replacementsLeft) + " left";
  }
  std::string operator()(const events::RoundWon& e) const {
    return "round " + std::to_string(e.round) + " won: " + std::to_string(e.prize) + " in " +
           std::to_string(e.seconds) + " s, bank " + std::to_string(e.bank);
  }
  std::string operator()(const events::MoneyTaken& e) const {
    return "money taken: " + std::to_string(e.amount);
  }
  std::string operator()(const events::ClockWarning& e) const {
    return "clock: " + std::to_string(e.secondsLeft) + " s left";
  }
  std::string operator()(const events::TimeOut&) const { return "time out"; }
  std::string operator()(const events::GongStarted& e) const {
    return "gong game for round " + std::to_string(e.lostRound) + ", up to " +
           std::to_string(e.prize);
  }
  std::string operator()(const events::GongColumnChosen& e) const {
    return "gong column " + std::to_string(e.column);
  }
  std::string operator()(const events::GongValueShown& e) const {
    return e.struck ? "gong value: GONG" : "gong value: " + std::to_string(e.value);
  }
  std::string operator()(const events::GongEnded& e) const {
    return "gong " + outcomeText(e.outcome) + ": " + std::to_string(e.won);
  }
  std::string operator()(const events::GameEnded& e) const {
    return "game ended: " + std::to_string(e.payout);
  }
  std::string operator()(const events::RecordPlaced& e) const {
    return "record place " + std::to_string(e.place) + ": " + std::to_string(e.payout);
  }
};

}  // namespace

std::string describe(const GameEvent& event) {
  return std::visit(Describe{}, event);
}

}  // namespace kelmora
