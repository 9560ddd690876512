#include "app/look.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace kelmora::app {

QFont makeFont(Face face, int pixels, bool bold) {
  QFont f;
  switch (face) {
    case Face::SansSerif:
    case Face::Arial:
      f.setFamily(QStringLiteral("Liberation Sans"));
      break;
    case Face::TimesNewRoman:
      f.setFamily(QStringLiteral("Liberation Serif"));
      break;
  }
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QColor colour(Colour bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

QColor buttonFace() {
  return QApplication::palette().color(QPalette::Button);
}
QColor windowColour() {
  return QApplication::palette().color(QPalette::Base);
}

QLabel* placeLabel(QWidget* parent, const char* objectName, const QString& text, int left, int top,
                   const QFont& f) {
  auto* label = new QLabel(text, parent);
  label->setFont(f);
  name(label, objectName, text);
  label->move(left, top);
  label->adjustSize();
  return label;
}

void name(QWidget* widget, const char* objectName, const QString& accessibleName) {
  widget->setObjectName(QString::fromLatin1(objectName));
  widget->setAccessibleName(accessibleName);
}

void centre(QWidget* window, const QWidget* over) {
  const QRect area = over ? over->frameGeometry() : window->screen()->availableGeometry();
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}

}  // namespace kelmora::app
