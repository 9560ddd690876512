#include "app/speech/speech.h"

#include <QAccessible>
#include <QShortcut>

#include "app/records_window.h"
#include "app/speech/notice.h"
#include "app/text.h"
#include "core/engine/game.h"

namespace kelmora::app {

Speech::Speech(QWidget& mainWindow, RecordsWindow& records)
    : records_(records), notice_(new Notice(&mainWindow)) {
  installNoticeRole();
  flush_.setSingleShot(true);
  flush_.setInterval(0);
  QObject::connect(&flush_, &QTimer::timeout, notice_, [this] { flush(); });
  auto* repeat = new QShortcut(QKeySequence(QString::fromLatin1(speech::kRepeatKey)), &mainWindow);
  repeat->setObjectName(QStringLiteral("RepeatQuestion"));
  QObject::connect(repeat, &QShortcut::activated, notice_, [this] { repeatQuestion(); });
  auto* time = new QShortcut(QKeySequence(QString::fromLatin1(speech::kTimeKey)), &mainWindow);
  time->setObjectName(QStringLiteral("SayTimeLeft"));
  QObject::connect(time, &QShortcut::activated, notice_, [this] { sayTimeLeft(); });
}

Events& Speech::follow(const Game& game) {
  game_ = &game;
  return *this;
}

void Speech::report(const GameEvent& event) {
  // The question must be known for F3 even if the screen reader starts in the middle of a
  // game; everything else is work for a listener only.
  if (!QAccessible::isActive()) {
    if (std::holds_alternative<events::QuestionShown>(event) ||
        std::holds_alternative<events::GameStarted>(event) ||
        std::holds_alternative<events::GameEnded>(event)) {
      narrator_.hear(event);
      narrator_.take();
    }
    return;
  }
  if (const auto* placed = std::get_if<events::RecordPlaced>(&event))
    records_.markPlace(placed->place);
  narrator_.hear(event);
  if (speech::Narrator::leadsToModal(event)) {
    flush();
  } else {
    flush_.start();
  }
}

void Speech::flush() {
  flush_.stop();
  const std::string words = narrator_.take();
  if (!words.empty()) notice_->say(fromCp(words));
}

void Speech::repeatQuestion() {
  if (!QAccessible::isActive()) return;
  flush();
  notice_->say(fromCp(narrator_.repeatQuestion()));
}

void Speech::sayTimeLeft() {
  if (!QAccessible::isActive() || !game_) return;
  flush();
  const GameState& s = game_->state();
  notice_->say(fromCp(speech::timeLeftWords(s.clockRunning, s.secondsLeft)));
}

}  // namespace kelmora::app
