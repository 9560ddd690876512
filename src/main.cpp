#include <QApplication>

#include "app/application.h"
#include "app/look.h"
#include "app/small_windows.h"

int main(int argc, char* argv[]) {
  QApplication qt(argc, argv);
  // The classic look the game was designed in: bevelled boxes with their captions on the frame.
  QApplication::setStyle(QStringLiteral("Windows"));
  QApplication::setApplicationName(QStringLiteral("kelmora"));
  QApplication::setApplicationDisplayName(kelmora::app::kTitle);
  QApplication::setWindowIcon(kelmora::app::programIcon());
  kelmora::app::Application game(std::filesystem::current_path());
  game.start();
  return QApplication::exec();
}
