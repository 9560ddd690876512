#include <QApplication>

#include "app/application.h"
#include "app/look.h"

int main(int argc, char* argv[]) {
  QApplication qt(argc, argv);
  kelmora::app::installLook();
  // No display name: Qt would append it to every window title, and each window's caption is
  // exactly its own.
  QApplication::setApplicationName(QStringLiteral("kelmora"));
  // The menu entry's name, so a desktop matches the window to the entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.kelmora"));
  const std::filesystem::path dir = std::filesystem::current_path();
  const auto lock = kelmora::app::claimGameFolder(dir);
  if (!lock) return 1;
  kelmora::app::Application game(dir);
  game.start();
  return QApplication::exec();
}
