// With no screen reader running (the offscreen platform has no accessibility at all) the
// game's speech does nothing: no words are put together, the notice stays empty, and the
// two keys of the reader's player are harmless.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>

#include "app_fixture.h"

namespace kelmora {
namespace {

TEST(Speech, WithoutAScreenReaderNothingIsPrepared) {
  ASSERT_FALSE(QAccessible::isActive());
  test::AppFixture f;
  f.start();
  QTest::keyClick(&f.window(), Qt::Key_F2);
  f.answerRight();
  f.answerRight();
  QTest::keyClick(&f.window(), Qt::Key_F3);
  QTest::keyClick(&f.window(), Qt::Key_F4);
  QCoreApplication::processEvents();
  EXPECT_TRUE(f.window().findChild<QLabel*>(QStringLiteral("Notice"))->text().isEmpty());
}

}  // namespace
}  // namespace kelmora
