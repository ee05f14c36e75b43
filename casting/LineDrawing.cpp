#include "casting/LineDrawing.h"
#include <QImage>
#include <QPainter>
#include <QPen>

namespace {

int T(double v) { return static_cast<int>(v); } // truncation toward zero

// The picture's size in the pixels of the control that shows it: a picture
// for a high-density screen has more pixels of its own, and a QPainter on it
// works in these.
QSize ShownSize(const QImage &picture) { return picture.deviceIndependentSize().toSize(); }

const double kLineHeights[6] = {0.74535, 0.65218, 0.55901, 0.43479, 0.34162, 0.24845};

QPen Pen(const QColor &colour, int width)
{
    QPen pen(colour);
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

namespace LineGeometry {

int PenWidth(int h) { return T(h * 0.04348); }
int LineY(int h, int position) { return T(h * kLineHeights[position - 1]); }

QRect ChangingLineBand(int w, int h, int position, LineValue value)
{
    const int y = LineY(h, position);
    const int pen = value == 9 ? std::max(2, T(h * 0.01864)) : PenWidth(h);
    // QRect from edges; the band is used with strict comparisons by its owner.
    return QRect(QPoint(T(w * 0.28572), y - pen), QPoint(T(w * 0.71429), y + pen));
}

} // namespace LineGeometry

void DrawLine(QPainter &p, int w, int h, int position, LineValue value, int clientWidth, const QColor &colour)
{
    using namespace LineGeometry;
    const int y = LineY(h, position);
    const int x1 = T(w * 0.28572), x2 = T(w * 0.71429);
    const int gapL = T(w * 0.41905), gapR = T(w * 0.58096);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(colour, PenWidth(h)));
    if (IsYang(value)) {
        p.drawLine(x1, y, x2, y);
    } else {
        p.drawLine(x1, y, gapL, y);
        p.drawLine(gapR, y, x2, y);
    }
    if (value == 6) {
        p.setPen(Pen(colour, std::max(2, T(h * 0.01243))));
        const int d = T(h * 0.03727);
        const int a = T(w * 0.41905) + 1, b = T(w * 0.56191) + 1;
        p.drawLine(a, y - d, b, y + d);
        p.drawLine(b, y - d, a, y + d);
    } else if (value == 9) {
        p.setPen(Pen(colour, std::max(2, T(h * 0.01864))));
        QRect box;
        if (clientWidth > kWideClientLimit)
            box = QRect(QPoint(T(w * 0.42858), y - T(h * 0.04348) + 1),
                        QPoint(T(w * 0.57144), y + T(h * 0.04347) + 1));
        else
            box = QRect(QPoint(T(w * 0.42858), y - T(h * 0.04348)),
                        QPoint(T(w * 0.57144) + 1, y + T(h * 0.03727) + 3));
        // Windows' Ellipse takes right/bottom as exclusive edges.
        p.drawEllipse(QRectF(box.left(), box.top(), box.right() - box.left(), box.bottom() - box.top()));
    }
    p.restore();
}

void DrawLine(QImage &paper, int position, LineValue value, int clientWidth)
{
    QPainter p(&paper);
    const QSize size = ShownSize(paper);
    DrawLine(p, size.width(), size.height(), position, value, clientWidth);
}

namespace TrigramMarks {

int LowerBase(int h) { return T(h * 0.58689); }
int UpperBase(int h) { return T(h * 0.49181); }

void DrawMark(QPainter &p, int w, int h, int y, bool yang)
{
    p.setPen(Pen(Qt::black, T(h * 0.01968)));
    if (yang) {
        p.drawLine(T(w * 0.46377), y, T(w * 0.53624), y);
    } else {
        p.drawLine(T(w * 0.46377), y, T(w * 0.48696), y);
        p.drawLine(T(w * 0.51305), y, T(w * 0.53624), y);
    }
}

void DrawTrigram(QImage &picture, int base, bool bottomYang, bool middleYang, bool topYang)
{
    const int w = ShownSize(picture).width(), h = ShownSize(picture).height();
    QPainter p(&picture);
    DrawMark(p, w, h, base - T(h * 0.05246), topYang);
    DrawMark(p, w, h, base - T(h * 0.02623), middleYang);
    DrawMark(p, w, h, base, bottomYang);
}

void DrawHexagram(QImage &picture, const HexagramLines &lines)
{
    const int w = ShownSize(picture).width(), h = ShownSize(picture).height();
    QPainter p(&picture);
    for (int i = 1; i <= 6; ++i) {
        const int base = i <= 3 ? LowerBase(h) : UpperBase(h);
        const int step = (i - 1) % 3;
        const int y = base - (step == 0 ? 0 : step == 1 ? T(h * 0.02623) : T(h * 0.05246));
        DrawMark(p, w, h, y, lines[i] == 9);
    }
}

} // namespace TrigramMarks
