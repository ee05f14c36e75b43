#pragma once
// Drawing of cast lines on a paper picture and of trigram marks in the
// trigram circle. Every geometry product is truncated toward zero. Sizes
// are those of the picture as shown, so a picture made for a high-density
// screen gets the same lines, only finer.

#include "casting/Hexagram.h"
#include <QColor>
#include <QRect>

class QImage;
class QPainter;

namespace LineGeometry {
inline constexpr int kWideClientLimit = 700; // circles change box at this client width

int PenWidth(int paperHeight);
int LineY(int paperHeight, int position); // position 1..6
// The band a changing line offers to clicks on the panel (left/top/right/bottom).
QRect ChangingLineBand(int paperWidth, int paperHeight, int position, LineValue value);
}

// Draws line `position` with `value` on the paper; clientWidth chooses the 9-circle box.
void DrawLine(QPainter &painter, int paperWidth, int paperHeight, int position, LineValue value,
              int clientWidth, const QColor &colour = Qt::black);
void DrawLine(QImage &paper, int position, LineValue value, int clientWidth);

namespace TrigramMarks {
int LowerBase(int pictureHeight);
int UpperBase(int pictureHeight);
// One mark: yang a single stroke, yin two strokes, at height y.
void DrawMark(QPainter &painter, int pictureWidth, int pictureHeight, int y, bool yang);
// Three marks of a trigram, top first, with the bottom line at base.
void DrawTrigram(QImage &picture, int base, bool bottomYang, bool middleYang, bool topYang);
// The six lines of a hexagram in the centre; 9 draws yang, anything else yin.
void DrawHexagram(QImage &picture, const HexagramLines &lines);
}
