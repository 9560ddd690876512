// The "Звук" menu item: on at first, remembered per user, and silent when off; and the real
// player on a machine without a sound server.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>

#include "app/sound/sounds.h"
#include "app_fixture.h"

namespace kelmora::test {
namespace {

class CountingPlayer : public sound::CuePlayer {
 public:
  int played = 0;
  void play(sound::Cue) override { ++played; }
};

QString settingsFile() {
  return QSettings(QStringLiteral("kelmora"), QStringLiteral("kelmora")).fileName();
}

QAction* soundToggle(AppFixture& f) {
  return f.window().findChild<QAction*>(QStringLiteral("soundOn"));
}

TEST(SoundSetting, OnAtFirstThenRememberedAcrossStartsAndNeverInTheGameFolder) {
  QFile::remove(settingsFile());
  {
    AppFixture f;
    f.start();
    QAction* toggle = soundToggle(f);
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isCheckable());
    EXPECT_TRUE(toggle->isChecked()) << "sound is on until the player turns it off";
    EXPECT_EQ(toggle->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    const auto files = std::distance(std::filesystem::directory_iterator(f.dir.path()),
                                     std::filesystem::directory_iterator());
    f.app.reset();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.path()),
                            std::filesystem::directory_iterator()),
              files)
        << "the game folder holds the game's files only";
  }
  EXPECT_TRUE(settingsFile().endsWith(QStringLiteral("/kelmora/kelmora.conf")))
      << settingsFile().toStdString();
  {
    AppFixture f;
    f.start();
    EXPECT_FALSE(soundToggle(f)->isChecked()) << "off, as the last game left it";
    soundToggle(f)->trigger();
  }
  AppFixture f;
  f.start();
  EXPECT_TRUE(soundToggle(f)->isChecked());
}

TEST(SoundSetting, OffMeansNoCueAtAll) {
  QFile::remove(settingsFile());
  QAction toggle;
  toggle.setCheckable(true);
  CountingPlayer player;
  sound::Sounds sounds(toggle, &player);
  sounds.report(events::AnswerJudged{false});
  EXPECT_EQ(player.played, 1);
  toggle.setChecked(false);
  for (int left : {29, 10})
    sounds.report(events::ClockWarning{left});
  sounds.report(events::TimeOut{});
  EXPECT_EQ(player.played, 1);
  toggle.setChecked(true);
  sounds.report(events::TimeOut{});
  EXPECT_EQ(player.played, 2);
}

// PULSE_SERVER points at nothing (tests/app/main.cpp), or the sound module is not installed:
// every cue is dropped at once, with no window and no wait, and the player ends promptly.
TEST(SoundWithoutServer, EveryCueDroppedNothingWaitsNoWindowOpens) {
  for (const char* module : {KELMORA_BUILT_SOUND_MODULE, "/nonexistent/kelmora-sound.so"}) {
    SCOPED_TRACE(module);
    QElapsedTimer clock;
    clock.start();
    {
      sound::QtCuePlayer player(QStringLiteral(KELMORA_BUILT_SOUNDS), QString::fromUtf8(module));
      for (int round = 0; round < 3; ++round) {
        for (sound::Cue cue : sound::kAllCues)
          player.play(cue);
      }
      EXPECT_LT(clock.elapsed(), 50) << "play only hands the cue to the sound thread";
      for (int i = 0; i < 30; ++i) {
        QTest::qWait(10);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                    std::none_of(QApplication::topLevelWidgets().begin(),
                                 QApplication::topLevelWidgets().end(),
                                 [](QWidget* w) { return w->isVisible(); }));
      }
    }
    EXPECT_LT(clock.elapsed(), 2000) << "the player's thread ends with it";
  }
}

}  // namespace
}  // namespace kelmora::test
