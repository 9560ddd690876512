#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>

#include "app/look.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kelmora::app::installLook();
  // The tests' own settings, never the developer's, and no sound from them: every game here
  // plays as on a machine without a sound server.
  const QString settings = QDir::temp().filePath(
      QStringLiteral("kelmora-test-settings-%1").arg(QCoreApplication::applicationPid()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
  qputenv("PULSE_SERVER", "unix:/nonexistent/kelmora-test");
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  QDir(settings).removeRecursively();
  return rc;
}
