// The desktop icons: the program's coin on its lacquer tile, and a leaf of
// paper with the coin for saved consultations. Drawn at every size they are
// installed in, so that small sizes keep sharp edges instead of a blur.

#include "Generator.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Gen {
namespace {

// A coin with a square hole, centred at c with radius r, the hole showing `hole`.
void PaintCoin(QPainter &p, QPointF c, double r, const QBrush &hole, bool detailed)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 6, 4, 150));
    p.drawEllipse(c + QPointF(r * 0.08, r * 0.1), r, r);
    p.setBrush(GoldGradient(c - QPointF(r * 0.9, r * 0.98), c + QPointF(r * 0.92, r * 1.02)));
    p.drawEllipse(c, r, r);
    if (detailed) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(120, 80, 20), r * 0.08));
        p.drawEllipse(c, r * 0.82, r * 0.82);
        p.drawRect(QRectF(c.x() - r * 0.4, c.y() - r * 0.4, r * 0.8, r * 0.8));
        p.setPen(Qt::NoPen);
    }
    p.setBrush(hole);
    const double h = detailed ? r * 0.3 : r * 0.34;
    p.drawRect(QRectF(c.x() - h, c.y() - h, 2 * h, 2 * h));
    if (detailed) {
        p.setBrush(QColor(255, 250, 220, 150));
        p.drawEllipse(c + QPointF(-r * 0.4, -r * 0.48), r * 0.16, r * 0.1);
    }
}

// A transparent square of the given size, painted on a 256-unit grid.
QImage Canvas(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void OnGrid(QPainter &p, int size)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
}

} // namespace

QImage AppIcon(int size)
{
    QImage img = Canvas(size);
    QPainter p(&img);
    OnGrid(p, size);
    QRadialGradient lacquer(QPointF(100, 90), 200);
    lacquer.setColorAt(0, QColor(200, 50, 38));
    lacquer.setColorAt(1, QColor(90, 12, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(lacquer);
    // A small margin as desktop icon themes keep it.
    const double m = size <= 24 ? 4 : 12;
    p.drawRoundedRect(QRectF(m, m, 256 - 2 * m, 256 - 2 * m), 40, 40);
    PaintCoin(p, QPointF(128, 128), 92, lacquer, size >= 32);
    return img;
}

QImage ConsultationFileIcon(int size)
{
    QImage img = Canvas(size);
    QPainter p(&img);
    OnGrid(p, size);
    // A leaf of old paper with a folded corner.
    QPainterPath leaf;
    leaf.moveTo(40, 12);
    leaf.lineTo(170, 12);
    leaf.lineTo(216, 58);
    leaf.lineTo(216, 244);
    leaf.lineTo(40, 244);
    leaf.closeSubpath();
    QLinearGradient paper(QPointF(40, 12), QPointF(216, 244));
    paper.setColorAt(0, QColor(250, 240, 214));
    paper.setColorAt(1, QColor(222, 200, 156));
    p.setPen(QPen(QColor(120, 92, 52), size <= 24 ? 10 : 5));
    p.setBrush(paper);
    p.drawPath(leaf);
    QPainterPath fold;
    fold.moveTo(170, 12);
    fold.lineTo(170, 58);
    fold.lineTo(216, 58);
    fold.closeSubpath();
    p.setBrush(QColor(200, 176, 130));
    p.drawPath(fold);
    // Six lines of a hexagram above the coin, as on the casting paper.
    if (size >= 32) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 40, 24));
        for (int k = 0; k < 6; ++k) {
            const double y = 42 + k * 14;
            if (k % 3 == 1) {
                p.drawRect(QRectF(66, y, 46, 7));
                p.drawRect(QRectF(124, y, 46, 7));
            } else {
                p.drawRect(QRectF(66, y, 104, 7));
            }
        }
    }
    PaintCoin(p, QPointF(128, size >= 32 ? 184 : 140), size >= 32 ? 46 : 70, QColor(250, 240, 214), size >= 48);
    return img;
}

} // namespace Gen
