#include "app/look.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace kelmora::app {

namespace {

class ClassicStyle : public QProxyStyle {
 public:
  ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return u'*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void installLook() {
  QApplication::setStyle(new ClassicStyle);  // the application takes ownership
  QApplication::setWindowIcon(programIcon());
}

QIcon programIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(colour(kNavy));
  p.setPen(Qt::NoPen);
  p.drawEllipse(1, 1, 30, 30);
  p.setPen(Qt::white);
  p.setFont(makeFont(Face::SansSerif, 20, true));
  p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("К"));
  return QIcon(pixmap);
}

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

QColor activeCaption() {
  return colour(kNavy);
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

QMargins frameMargins() {
  // A hidden window keeps the frame it had on screen, so the player dialog, closed by now,
  // still tells the main window what its frame will be.
  for (const QWidget* w : QApplication::topLevelWidgets()) {
    if (const QWindow* handle = w->windowHandle()) {
      const QMargins m = handle->frameMargins();
      if (!m.isNull()) return m;
    }
  }
  return {};
}

namespace {

bool framed(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle && !handle->frameMargins().isNull();
}

void place(QWidget* window, const QWidget* over) {
  const QRect area = over ? over->frameGeometry() : window->screen()->availableGeometry();
  const QMargins margins = framed(window) ? window->windowHandle()->frameMargins() : frameMargins();
  QRect frame = window->geometry().marginsAdded(margins);
  frame.moveCenter(area.center());
  window->move(frame.topLeft());  // a window's position is its frame's corner
}

// The window manager frames a new window a moment after it is mapped, and a message box
// learns its size only while it is shown: the first placing is then only a guess.
void placeWhenFramed(QWidget* window, const QWidget* over, int triesLeft) {
  QTimer::singleShot(20, window, [window, over, triesLeft] {
    if (!window->isVisible()) return;
    if (!framed(window) && triesLeft > 0) {
      placeWhenFramed(window, over, triesLeft - 1);
    } else {
      place(window, over);
    }
  });
}

}  // namespace

void centre(QWidget* window, const QWidget* over) {
  place(window, over);
  if (!framed(window)) placeWhenFramed(window, over, 10);
}

}  // namespace kelmora::app
