#pragma once

// "Победа!!!": after a cleared round, go on or take the money.

#include <QDialog>

#include "core/engine/ports.h"

class QLabel;
class QPushButton;

namespace kelmora::app {

class RoundWonDialog : public QDialog {
 public:
  explicit RoundWonDialog(QWidget* parent = nullptr);
  // Shows the seconds the round took and waits; any way of closing it but "Забрать деньги"
  // means going on.
  RoundWonChoice ask(const QString& roundSeconds);

 private:
  QLabel* seconds_;
  QPushButton* goOn_;
  bool takeMoney_ = false;
};

}  // namespace kelmora::app
