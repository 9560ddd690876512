#include "app/sound/cues.h"

namespace kelmora::sound {

std::string_view fileName(Cue cue) {
  switch (cue) {
    case Cue::Right:
      return "right.wav";
    case Cue::Wrong:
      return "wrong.wav";
    case Cue::ClockRed:
      return "clock-red.wav";
    case Cue::LastTen:
      return "last-ten.wav";
    case Cue::TimeOut:
      return "time-out.wav";
    case Cue::RoundWon:
      return "round-won.wav";
    case Cue::GongStarted:
      return "gong-game.wav";
    case Cue::GongValue:
      return "gong-value.wav";
    case Cue::Gong:
      return "gong.wav";
    case Cue::Maximum:
      return "maximum.wav";
    case Cue::Record:
      return "record.wav";
  }
  return {};
}

void CueListener::report(const GameEvent& event) {
  // Followed even while silent, so turning the sound on mid-round still knows the round.
  const std::optional<Cue> cue = cueFor(event);
  if (cue && enabled_) player_.play(*cue);
}

std::optional<Cue> CueListener::cueFor(const GameEvent& event) {
  using namespace events;
  if (const auto* shown = std::get_if<QuestionShown>(&event)) {
    rightNeeded_ = shown->rightNeeded;
    return std::nullopt;
  }
  if (const auto* judged = std::get_if<AnswerJudged>(&event)) {
    if (!judged->right) return Cue::Wrong;
    // The answer that clears the round is heard as the round won alone: two cues started
    // together would blur into one noise.
    return rightNeeded_ == 1 ? std::nullopt : std::optional(Cue::Right);
  }
  if (std::holds_alternative<RoundWon>(event)) return Cue::RoundWon;
  if (const auto* warning = std::get_if<ClockWarning>(&event))
    return warning->secondsLeft <= 10 ? Cue::LastTen : Cue::ClockRed;
  if (std::holds_alternative<TimeOut>(event)) return Cue::TimeOut;
  if (std::holds_alternative<GongStarted>(event)) return Cue::GongStarted;
  if (const auto* value = std::get_if<GongValueShown>(&event))
    return value->struck ? Cue::Gong : Cue::GongValue;
  if (const auto* ended = std::get_if<GongEnded>(&event)) {
    if (ended->outcome == GongOutcome::Maximum) return Cue::Maximum;
    return std::nullopt;
  }
  if (std::holds_alternative<RecordPlaced>(event)) return Cue::Record;
  return std::nullopt;
}

}  // namespace kelmora::sound
