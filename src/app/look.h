#pragma once

// Fonts, colours and placement shared by the windows. The layout gives Windows fonts; the
// metric-compatible Liberation fonts stand in for them so that every caption fits its place.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

#include "app/text.h"
#include "core/engine/screen.h"
#include "core/view/title.h"

class QWidget;
class QLabel;

namespace kelmora::app {

inline const QString kTitle = fromCp(kGameTitle);

// The application-wide look: the classic "Windows" style the game was designed in, with
// passwords echoed as "*", and the program's icon. The program, its tests and its tools all
// start with it, so what a test sees is what a player sees.
void installLook();

// The program's icon: a navy circle with a white "К".
QIcon programIcon();

enum class Face { SansSerif, Arial, TimesNewRoman };
QFont makeFont(Face face, int pixels, bool bold = false);

// A 0xBBGGRR value as a colour.
QColor colour(Colour bgr);
// clBtnFace and clWindow of the system palette.
QColor buttonFace();
QColor windowColour();
// clActiveCaption of the classic look the window was designed in: navy.
QColor activeCaption();

// A label at (left, top) in its parent, sized to its text as a designer's autosize label.
QLabel* placeLabel(QWidget* parent, const char* objectName, const QString& text, int left, int top,
                   const QFont& f);
// Names a widget for tests and screen readers.
void name(QWidget* widget, const char* objectName, const QString& accessibleName);

// Centres a top-level window, its frame included, on the screen (or over a window). Call it
// right before showing the window; one that the window manager has not framed yet is placed
// again as soon as it is framed.
void centre(QWidget* window, const QWidget* over = nullptr);

// The title bar and borders the window manager puts around the game's windows (none before
// the first one has been shown).
QMargins frameMargins();

}  // namespace kelmora::app
