// How long an event of the game takes to reach the screen reader: from the moment a command
// of the player begins (so the event itself is inside the figure) to the notification Qt hands
// to the accessibility bridge. Run on the accessibility bus (tests/app/on-accessibility-bus):
// each command must be heard within 50 ms.
#include <QAccessible>
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/look.h"
#include "app_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point heardAt;
bool heard = false;

void handle(QAccessibleEvent* event) {
  QAccessibleInterface* iface = event->accessibleInterface();
  if (event->type() == QAccessible::ObjectShow && iface &&
      iface->role() == QAccessible::Notification && !heard) {
    heardAt = Clock::now();
    heard = true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  kelmora::app::installLook();
  QAccessible::installUpdateHandler(&handle);
  for (int i = 0; i < 500 && !QAccessible::isActive(); ++i)
    QTest::qWait(10);
  if (!QAccessible::isActive()) {
    std::fprintf(stderr, "speech_latency: no accessibility bus; run it through "
                         "tests/app/on-accessibility-bus\n");
    return 2;
  }

  std::vector<double> ms;
  for (int game = 0; game < 20; ++game) {
    kelmora::test::AppFixture f;
    f.start();
    const auto measure = [&](const std::function<void()>& command) {
      heard = false;
      const auto start = Clock::now();
      command();
      while (!heard && Clock::now() - start < std::chrono::milliseconds(500))
        QCoreApplication::processEvents();
      ms.push_back(heard ? std::chrono::duration<double, std::milli>(heardAt - start).count()
                         : 500.0);
    };
    measure([&] { QTest::keyClick(&f.window(), Qt::Key_F2); });
    measure([&] { f.answerRight(); });  // heard before the round-won dialog opens
    QTest::qWait(20);
    measure([&] {
      QTest::mouseClick(f.find<QWidget>("Button2"), Qt::LeftButton);
    });
    for (int i = 0; i < 210; ++i)
      f.window().clockTick();
    measure([&] { f.window().clockTick(); });  // the warning at 29 seconds
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2];
  const double worst = ms.back();
  std::printf("speech latency over %zu announcements: median %.2f ms, worst %.2f ms (limit 50)\n",
              ms.size(), median, worst);
  return worst < 50.0 ? 0 : 1;
}
