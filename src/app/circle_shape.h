#pragma once

// A filled circle with a thin black outline, as the question and replacement circles are drawn.

#include <QPainter>
#include <QWidget>

namespace kelmora::app {

class CircleShape : public QWidget {
 public:
  using QWidget::QWidget;

  void setColour(const QColor& c) {
    if (c == colour_) return;
    colour_ = c;
    update();
  }
  QColor colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(colour_);
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
  }

 private:
  QColor colour_{0, 0, 0x80};
};

}  // namespace kelmora::app
