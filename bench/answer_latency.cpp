// Time from Enter in the answer box to the next question on screen, through the real windows
// (offscreen), over many rounds. Answers that clear a round open a dialog and are not counted.
#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/look.h"
#include "app_fixture.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  kelmora::app::installLook();
  kelmora::test::AppFixture f({{"Игрок", "pw"}}, 501);
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);

  std::vector<double> samples;
  auto* edit = f.find<QLineEdit>("Edit1");
  while (samples.size() < 2000) {
    const auto& s = f.app->game().state();
    const bool clearsRound = s.correctInRound + 1 == s.round;
    edit->setText(QStringLiteral("a") + QString::number(s.currentQuestion));
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::sendPostedEvents();
    f.window().repaint();  // the new question is painted, not just set
    const auto end = std::chrono::steady_clock::now();
    if (!clearsRound)
      samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(samples.begin(), samples.end());
  std::printf("answer-to-next-question ms: median %.3f, p99 %.3f, max %.3f (%zu answers)\n",
              samples[samples.size() / 2], samples[samples.size() * 99 / 100], samples.back(),
              samples.size());
  return 0;
}
