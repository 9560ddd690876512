// The speech tests run on a real X display (Xvfb): the offscreen platform has no accessibility
// at all, so Qt would drop every announcement before a test could hear it.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/look.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  kelmora::app::installLook();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
