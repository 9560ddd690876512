// Plays one game on the bundled content and saves what the screen shows at each stage, so the
// windows can be compared with their layout by eye. Run through scripts/screenshots.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "app/look.h"
#include "app_fixture.h"

using namespace kelmora;
using test::ModalScript;

namespace {

QString outDir;

// The title the window system holds for each window on screen, as its title bar shows it.
void printTitles() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible()) continue;
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w->winId()),
                                          QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")});
    xprop.waitForFinished(2000);
    const QRect frame = w->frameGeometry();
    std::printf("  %s at %d,%d %dx%d: %s", qPrintable(w->objectName()), frame.x(), frame.y(),
                frame.width(), frame.height(), xprop.readAllStandardOutput().constData());
  }
}

void shoot(const char* name) {
  QApplication::processEvents();
  const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
  const QString file =
      outDir + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png");
  std::printf("%s %s\n", screen.save(file) ? "saved" : "FAILED", qPrintable(file));
  printTitles();
}

// Lets the window system draw a freshly shown window before it is photographed.
void settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QTest::qWait(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  kelmora::app::installLook();
  if (argc < 3) {
    std::fprintf(stderr, "usage: kelmora_screenshots <content-dir> <out-dir>\n");
    return 2;
  }
  const std::filesystem::path content = argv[1];
  outDir = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(outDir);

  test::AppFixture f;
  for (const char* file : {"kelmora.db", "zamen.db", "help.txt", "res.res"}) {
    std::filesystem::copy_file(content / file, f.dir / file,
                               std::filesystem::copy_options::overwrite_existing);
  }
  f.random.script = {17};
  f.start({[](QWidget* dialog) {
    settle();
    shoot("1-sign-in");
    test::signInWith(QStringLiteral("pw"))(dialog);
  }});
  settle();
  shoot("2-idle");

  QTest::keyClick(&f.window(), Qt::Key_F2);
  for (int i = 0; i < 12; ++i)
    f.window().clockTick();
  f.modals.then([](QWidget* dialog) {
    settle();
    shoot("3-round-won");
    ModalScript::click(dialog, "Button1");
  });
  f.answerRight();  // round 1
  f.answerRight();  // the first of round 2
  QTest::mouseClick(f.find<QToolButton>("Button2"), Qt::LeftButton);
  QTest::mouseClick(f.find<QToolButton>("Button1"), Qt::LeftButton);
  for (int i = 0; i < 9; ++i)
    f.window().clockTick();
  f.find<QLineEdit>("Edit1")->setText(QStringLiteral("Пушкин"));
  settle();
  shoot("4-round-in-play");

  f.random.script = {40, 1, 3, 9};
  f.modals.then([](QWidget* box) {
    settle();
    shoot("5-loss-message");
    ModalScript::close(box);
  });
  f.answer(QStringLiteral("не знаю"));  // lost in round 2: the gong game plays for 1000
  QTest::mouseClick(f.find<QPushButton>("Button4"), Qt::LeftButton);
  for (int i = 0; i < 5; ++i)
    f.window().gongTick();
  settle();
  shoot("6-gong-game");

  f.modals.then(&ModalScript::close);
  f.modals.then(&ModalScript::close);
  f.modals.then(&ModalScript::close);
  f.modals.then([](QWidget* records) {
    settle();
    shoot("7-records");
    ModalScript::close(records);
  });
  QTest::mouseClick(f.find<QPushButton>("Button6"), Qt::LeftButton);
  settle();
  shoot("8-after-the-game");

  f.modals.then([](QWidget* about) {
    settle();
    shoot("9-about");
    ModalScript::close(about);
  });
  f.find<QAction>("N4")->trigger();
  f.modals.then([](QWidget* help) {
    settle();
    shoot("10-help");
    ModalScript::close(help);
  });
  f.find<QAction>("N5")->trigger();

  // The files the game leaves, beside the pictures, to compare one build's game with another's.
  f.app.reset();
  for (const char* file : {"log.txt", "account.ini", "res.res"}) {
    std::filesystem::copy_file(f.dir / file, outDir.toStdString() + "/" + file,
                               std::filesystem::copy_options::overwrite_existing);
  }
  return 0;
}
