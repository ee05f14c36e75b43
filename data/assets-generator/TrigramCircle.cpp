// The trigram circle: old paper with a gilded or silvered frame of two
// octagons, the eight trigrams in ink between them, their names outside,
// and a clear disc in the middle for the marks of the picked trigrams.

#include "Generator.h"
#include "Noise.h"
#include "TrigramCircleLayout.h"
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace Gen {
namespace {

using namespace TrigramCircleLayout;

struct TrigramArt {
    const char *name; // UTF-8
    bool yang[3];     // bottom, middle, top
    int fuSi, wen;    // picture positions
};

const TrigramArt kTrigrams[8] = {
    {"Nebe", {true, true, true}, 1, 4},     {"Vítr", {false, true, true}, 2, 8},
    {"Voda", {false, true, false}, 3, 5},   {"Hora", {false, false, true}, 4, 6},
    {"Země", {false, false, false}, 5, 2},  {"Hrom", {true, false, false}, 6, 7},
    {"Oheň", {true, false, true}, 7, 1},    {"Jezero", {true, true, false}, 8, 3},
};

struct Inks {
    QColor metalDark, metalLight, metalMid; // the frame
    QColor text, bars;
};

QPointF Polar(double radius, double degreesFromTop)
{
    const double a = degreesFromTop * M_PI / 180.0;
    return {kCentreX + radius * std::sin(a), kCentreY - radius * std::cos(a)};
}

QPolygonF Octagon(double radius)
{
    QPolygonF poly;
    for (int i = 0; i < 8; ++i)
        poly << Polar(radius, 22.5 + 45.0 * i);
    poly << poly.first();
    return poly;
}

// A gilded line: a dark stroke with a bright one above it, as light catches raised metal.
void MetalStroke(QPainter &p, const QPainterPath &path, const Inks &ink, double width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink.metalDark, width + 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(0.4, 0.6));
    p.setPen(QPen(ink.metalMid, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    QColor shine = ink.metalLight;
    shine.setAlpha(200);
    p.setPen(QPen(shine, std::max(0.6, width * 0.4), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(-0.3, -0.4));
}

// Ink bars soak a little into the paper: a soft halo under a solid core.
void InkBar(QPainter &p, const QPointF &a, const QPointF &b, const QColor &ink)
{
    QColor halo = ink;
    halo.setAlpha(60);
    p.setPen(QPen(halo, kBarThickness + 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
    p.setPen(QPen(ink, kBarThickness, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

void DrawTrigram(QPainter &p, const TrigramArt &t, int position, const QColor &ink)
{
    const double angle = AngleOf(position) * M_PI / 180.0;
    const QPointF tangent(std::cos(angle), std::sin(angle));
    for (int bar = 0; bar < 3; ++bar) {
        const QPointF mid = Polar(BarRadius(bar), AngleOf(position));
        const QPointF a = mid - tangent * (kBarLength / 2), b = mid + tangent * (kBarLength / 2);
        if (t.yang[bar]) {
            InkBar(p, a, b, ink);
        } else {
            InkBar(p, a, mid - tangent * (kGapLength / 2), ink);
            InkBar(p, mid + tangent * (kGapLength / 2), b, ink);
        }
    }
}

} // namespace

QImage TrigramCircle(bool fuSi, bool golden, int scale)
{
    const Inks ink = golden ? Inks{QColor(122, 82, 22), QColor(255, 236, 160), QColor(190, 142, 52),
                                   QColor(92, 56, 18), QColor(40, 26, 14)}
                            : Inks{QColor(78, 82, 92), QColor(250, 252, 255), QColor(150, 156, 166),
                                   QColor(58, 60, 68), QColor(28, 30, 36)};
    QImage image = Paper(345, 305, golden, fuSi ? 201 : 202, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale); // the layout is in pixels of scale 1

    // A faint sheen inside the frame, as if the circle was burnished.
    QRadialGradient sheen(QPointF(kCentreX, kCentreY), 132);
    QColor glow = golden ? QColor(255, 236, 170) : QColor(250, 250, 255);
    glow.setAlpha(70);
    sheen.setColorAt(0.0, glow);
    glow.setAlpha(0);
    sheen.setColorAt(1.0, glow);
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(QPointF(kCentreX, kCentreY), 132, 132);

    // Outer double circle, the octagons around the trigrams and their spokes.
    QPainterPath outer;
    outer.addEllipse(QPointF(kCentreX, kCentreY), 131, 131);
    MetalStroke(p, outer, ink, 2.2);
    QPainterPath outer2;
    outer2.addEllipse(QPointF(kCentreX, kCentreY), 126, 126);
    MetalStroke(p, outer2, ink, 0.8);
    QPainterPath frame;
    frame.addPolygon(Octagon(94));
    frame.addPolygon(Octagon(55));
    for (int i = 0; i < 8; ++i) {
        frame.moveTo(Polar(55 / std::cos(M_PI / 8) * std::cos(M_PI / 8), 22.5 + 45.0 * i));
        frame.lineTo(Polar(94, 22.5 + 45.0 * i));
    }
    MetalStroke(p, frame, ink, 1.4);
    // Small studs where the spokes meet the outer octagon.
    for (int i = 0; i < 8; ++i) {
        const QPointF c = Polar(94, 22.5 + 45.0 * i);
        QRadialGradient stud(c + QPointF(-0.8, -0.8), 3.2);
        stud.setColorAt(0, ink.metalLight);
        stud.setColorAt(0.6, ink.metalMid);
        stud.setColorAt(1, ink.metalDark);
        p.setPen(Qt::NoPen);
        p.setBrush(stud);
        p.drawEllipse(c, 2.8, 2.8);
    }
    // The clear centre: a ring only, nothing inside it.
    QPainterPath centre;
    centre.addEllipse(QPointF(kCentreX, kCentreY), kClearRadius + 2, kClearRadius + 2);
    MetalStroke(p, centre, ink, 1.0);

    for (const TrigramArt &t : kTrigrams)
        DrawTrigram(p, t, fuSi ? t.fuSi : t.wen, ink.bars);

    // Names between the octagon and the outer circle, upright.
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(11);
    font.setItalic(true);
    p.setFont(font);
    for (const TrigramArt &t : kTrigrams) {
        const int position = fuSi ? t.fuSi : t.wen;
        const QPointF c = Polar(110, AngleOf(position));
        const QRectF box(c.x() - 30, c.y() - 8, 60, 16);
        QColor lift(255, 255, 240, 90);
        p.setPen(lift);
        p.drawText(box.translated(0.6, 0.7), Qt::AlignCenter, QString::fromUtf8(t.name));
        p.setPen(ink.text);
        p.drawText(box, Qt::AlignCenter, QString::fromUtf8(t.name));
    }

    // The arrangement's name in the top-left corner.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(13);
    title.setBold(true);
    p.setFont(title);
    p.setPen(ink.text);
    p.drawText(QRectF(9, 6, 120, 20), Qt::AlignLeft | Qt::AlignVCenter,
               fuSi ? QStringLiteral("Fu Si") : QStringLiteral("Wen"));
    return image;
}

} // namespace Gen
