// Start-up probe: shows either a bare Qt main window or the game's main window (signing in by
// itself) and exits as soon as the window is idle on screen, printing its peak memory. The
// script bench/startup.sh times whole runs of both.
#include <sys/resource.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/application.h"
#include "app/look.h"

namespace {

void signInWhenAsked() {
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return signInWhenAsked();
    dialog->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("pw"));
    dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
  });
}

int quitWhenIdle() {
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  const int rc = QApplication::exec();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak-rss-kib %ld\n", usage.ru_maxrss);
  return rc;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  if (argc >= 2 && std::strncmp(argv[1], "bare", 4) == 0) {
    QMainWindow window;
    window.resize(592, 274);
    // "bare-text": the same window with one line of text, which loads the font database
    // that any window showing text needs.
    if (std::strcmp(argv[1], "bare-text") == 0) {
      window.setCentralWidget(new QLabel(QStringLiteral("Кельмора"), &window));
    }
    window.show();
    return quitWhenIdle();
  }
  kelmora::app::installLook();
  kelmora::app::Application game(std::filesystem::current_path());
  signInWhenAsked();
  game.start();
  return quitWhenIdle();
}
