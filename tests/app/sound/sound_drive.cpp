// Not a test: scripts/sound-check runs this to play one scripted game through the real windows
// with the real sounds, spaced so that each cue is heard on its own. Every cue's moment is
// printed as "<CLOCK_MONOTONIC ns> <file>" on stdout, stamped as the game reports its event,
// for the check to find in its recording.
//
//   kelmora_sound_drive on|off
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <ctime>

#include "app/look.h"
#include "app/sound/cues.h"
#include "app_fixture.h"

namespace {

using namespace kelmora;

long long monotonicNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

class StampingPlayer : public sound::CuePlayer {
 public:
  void play(sound::Cue cue) override {
    std::printf("%lld %s\n", monotonicNs(), std::string(sound::fileName(cue)).c_str());
    std::fflush(stdout);
  }
};

// The player's answer at a window, given after the window has been up for `ms`.
test::ModalScript::Answer after(int ms) {
  return [ms](QWidget* modal) {
    QTimer::singleShot(ms, modal, [modal] {
      if (modal->objectName() == QLatin1String("TForm4")) {
        test::ModalScript::click(modal, "Button1");
      } else {
        test::ModalScript::close(modal);
      }
    });
  };
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  kelmora::app::installLook();
  const bool soundOn = argc < 2 || std::string(argv[1]) != "off";

  test::AppFixture f;
  StampingPlayer stamps;
  sound::CueListener cues(stamps);
  test::RecordedEvents events;
  events.observe = [&](const std::string&) { cues.report(events.all.back()); };
  f.modals.then([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("pw"));
    dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
  });
  for (int ms : {1500, 1500, 3000, 800, 1500, 1000})
    f.modals.then(after(ms));
  f.app = std::make_unique<app::Application>(
      f.dir.path(), app::Application::Overrides{&f.random, &f.timers, &f.calendar, &events});
  f.app->start();
  QAction& toggle = f.window().soundToggle();
  if (toggle.isChecked() != soundOn) toggle.trigger();
  cues.setEnabled(soundOn);

  QTest::qWait(1500);  // the sound thread finds the server
  f.window().newGame();
  QTest::qWait(500);
  f.answerRight();  // round 1 won; the dialog goes on after 1.5 s
  QTest::qWait(1500);
  f.answerRight();
  QTest::qWait(1200);
  const auto tickUntil = [&](int secondsLeft) {
    while (f.app->game().state().secondsLeft > secondsLeft)
      f.window().clockTick();
  };
  tickUntil(29);
  QTest::qWait(1200);
  tickUntil(10);
  QTest::qWait(1200);
  f.random.script = {50, 0, 2, 5};
  f.answer(QStringLiteral("неверно"));  // lost, the message up for 1.5 s, then the gong game
  QTest::qWait(1500);
  f.find<QPushButton>("Button4")->click();  // the second column: the gong at its sixth value
  for (int i = 0; i < 6; ++i) {
    QTest::qWait(700);
    f.window().gongTick();
  }
  QTest::qWait(1500);
  f.app.reset();
  return 0;
}
