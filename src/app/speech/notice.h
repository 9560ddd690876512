#pragma once

// The one place the game speaks from. Qt 6.4 has no announcement call, and Orca ignores a
// label's changed text and Qt's alerts; what it does speak, every time and without moving the
// focus, is an object of the notification role that is shown. So the notice is a label that
// never appears on screen, whose accessible role is Notification, and saying something is
// setting its text and reporting it shown.

#include <QLabel>

namespace kelmora::app {

class Notice : public QLabel {
  Q_OBJECT

 public:
  explicit Notice(QWidget* parent);
  // Hands the words to the screen reader. Call it only when one is listening.
  void say(const QString& words);
};

// Teaches Qt's accessibility the notice's role; once per program, before the first notice is
// asked about (the factory only hears of classes Qt has no interface for).
void installNoticeRole();

}  // namespace kelmora::app
