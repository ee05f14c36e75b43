// The logo, the panel's leather, the button glyphs, the diskette and the
// window icon.

#include "Generator.h"
#include "Noise.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace Gen {

QLinearGradient GoldGradient(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0.0, QColor(255, 240, 170));
    g.setColorAt(0.35, QColor(222, 174, 70));
    g.setColorAt(0.65, QColor(160, 110, 34));
    g.setColorAt(1.0, QColor(236, 196, 100));
    return g;
}

namespace {

const QRgb kGlyphKey = qRgb(255, 0, 255);

// Eight trigrams round a centre, in the Fu Si order, each bar a rectangle.
void PaintBagua(QPainter &p, QPointF centre, double radius, double barLength, double barWidth, double spacing,
                const QBrush &brush)
{
    static const bool kLines[8][3] = {{1, 1, 1}, {0, 1, 1}, {0, 1, 0}, {0, 0, 1},
                                      {0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {1, 1, 0}};
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(45.0 * i);
        for (int bar = 0; bar < 3; ++bar) {
            const double y = -(radius + (bar - 1) * spacing);
            if (kLines[i][bar]) {
                p.drawRect(QRectF(-barLength / 2, y - barWidth / 2, barLength, barWidth));
            } else {
                const double gap = barLength * 0.22;
                p.drawRect(QRectF(-barLength / 2, y - barWidth / 2, (barLength - gap) / 2, barWidth));
                p.drawRect(QRectF(gap / 2, y - barWidth / 2, (barLength - gap) / 2, barWidth));
            }
        }
        p.restore();
    }
}

void PaintYinYang(QPainter &p, QPointF c, double r, QColor light, QColor dark)
{
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPath(disc);
    QPainterPath half;
    half.moveTo(c.x(), c.y() - r);
    half.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90, 180);
    half.arcTo(QRectF(c.x() - r / 2, c.y(), r, r), 270, -180);
    half.arcTo(QRectF(c.x() - r / 2, c.y() - r, r, r), 270, 180);
    p.setBrush(dark);
    p.drawPath(half);
    p.setBrush(dark);
    p.drawEllipse(QPointF(c.x(), c.y() - r / 2), r / 7, r / 7);
    p.setBrush(light);
    p.drawEllipse(QPointF(c.x(), c.y() + r / 2), r / 7, r / 7);
}

// Draws with antialiasing at 25 x 25 (or that times the scale), then keys
// what is mostly empty.
template <typename Paint>
QImage Glyph(int scale, Paint paint)
{
    const int size = 25 * scale;
    QImage art(size, size, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paint(p);
    }
    QImage out(size, size, QImage::Format_RGB32);
    const QColor matte(150, 130, 100);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb px = art.pixel(x, y);
            const double a = qAlpha(px) / 255.0;
            if (a < 0.5) {
                out.setPixel(x, y, kGlyphKey);
                continue;
            }
            const double rest = 1 - a;
            out.setPixel(x, y, qRgb(int(qRed(px) + matte.red() * rest), int(qGreen(px) + matte.green() * rest),
                                    int(qBlue(px) + matte.blue() * rest)));
        }
    out.setPixel(0, size - 1, kGlyphKey);
    return out;
}

void Bars(QPainter &p, const bool (&yang)[6], double left, double width, const QColor (&colours)[6])
{
    // Six lines, the top one first drawn at the top.
    for (int i = 0; i < 6; ++i) {
        const double y = 2.5 + (5 - i) * 3.6;
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        if (yang[i]) {
            p.drawRect(QRectF(left, y, width, 2.2));
        } else {
            const double gap = width * 0.24;
            p.drawRect(QRectF(left, y, (width - gap) / 2, 2.2));
            p.drawRect(QRectF(left + (width + gap) / 2, y, (width - gap) / 2, 2.2));
        }
    }
}

} // namespace

QImage Logo(int scale)
{
    const int W = 230, H = 200;
    QImage image(W * scale, H * scale, QImage::Format_RGB32);
    // Lacquer: deep red, darker towards the edges, with faint brush marks.
    const PeriodicNoise brush(301);
    for (int py = 0; py < image.height(); ++py)
        for (int px = 0; px < image.width(); ++px) {
            const double x = AtScaleOne(px, scale), y = AtScaleOne(py, scale);
            const double dx = (x - W / 2.0) / W, dy = (y - H * 0.45) / H;
            const double fall = Clamp01(1.0 - 1.6 * (dx * dx + dy * dy));
            const double streak = brush.fbm(x / W, y / H, 2, 30, 3);
            const double k = (0.45 + 0.55 * fall) * (1.0 + 0.06 * streak);
            image.setPixel(px, py, qRgb(int(Clamp01(0.56 * k) * 255), int(Clamp01(0.08 * k) * 255),
                                      int(Clamp01(0.07 * k) * 255)));
        }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QPointF centre(W / 2.0, 84);

    // A fine gold border.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(190, 140, 50), 1.2));
    p.drawRect(QRectF(4.5, 4.5, W - 9, H - 9));
    p.setPen(QPen(QColor(120, 80, 25), 0.8));
    p.drawRect(QRectF(7.5, 7.5, W - 15, H - 15));

    // Shadow, then the gilded trigrams and the ring round them.
    PaintBagua(p, centre + QPointF(1.2, 1.6), 60, 24, 4, 7, QColor(30, 4, 4, 150));
    PaintBagua(p, centre, 60, 24, 4, 7, GoldGradient(centre - QPointF(70, 70), centre + QPointF(70, 70)));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(GoldGradient(centre - QPointF(45, 45), centre + QPointF(45, 45)), 2.0));
    p.drawEllipse(centre, 40, 40);
    p.setPen(QPen(QColor(130, 90, 30), 0.8));
    p.drawEllipse(centre, 77, 77);

    // The taiji in ivory and black.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 5, 5, 140));
    p.drawEllipse(centre + QPointF(1.5, 2), 33, 33);
    PaintYinYang(p, centre, 33, QColor(244, 232, 204), QColor(24, 16, 14));
    QRadialGradient gloss(centre - QPointF(12, 14), 40);
    gloss.setColorAt(0, QColor(255, 255, 255, 70));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawEllipse(centre, 33, 33);

    // The name.
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(27);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath name;
    name.addText(0, 0, font, QStringLiteral("Zendra"));
    const QRectF b = name.boundingRect();
    name.translate(W / 2.0 - b.center().x(), 186 - b.bottom());
    p.setBrush(QColor(20, 2, 2, 170));
    p.drawPath(name.translated(1.2, 1.6));
    p.setBrush(GoldGradient(QPointF(0, 160), QPointF(0, 188)));
    p.drawPath(name);
    return image;
}

QImage PanelBackground(int scale)
{
    // Dark leather: tileable blotches, a pebbled grain and fine creases.
    const int W = 300, H = 250;
    const PeriodicNoise blotch(401), pebble(402), crease(403);
    QImage image(W * scale, H * scale, QImage::Format_RGB32);
    for (int py = 0; py < image.height(); ++py)
        for (int px = 0; px < image.width(); ++px) {
            const double u = AtScaleOne(px, scale) / W, v = AtScaleOne(py, scale) / H;
            const double b = blotch.fbm(u, v, 3, 3, 4);
            const double g = pebble.fbm(u, v, 60, 50, 2, 0.6);
            const double pebbleShade = Smoothstep(-0.2, 0.5, g);
            const double c = std::abs(crease.fbm(u, v, 6, 5, 3));
            const double creaseShade = Smoothstep(0.0, 0.06, c);
            const double k = (0.82 + 0.1 * b + 0.12 * pebbleShade) * (0.8 + 0.2 * creaseShade);
            image.setPixel(px, py, qRgb(int(Clamp01(0.235 * k) * 255), int(Clamp01(0.165 * k) * 255),
                                      int(Clamp01(0.12 * k) * 255)));
        }
    return image;
}

QImage ButtonGlyph(const QString &name, int scale)
{
    const QColor ink(40, 32, 28), red(196, 30, 24), gold(212, 160, 50), blue(36, 64, 140);
    if (name == u"TlJadro") {
        // The nuclear hexagram: the four inner lines.
        return Glyph(scale, [&](QPainter &p) {
            const bool yang[6] = {true, false, true, true, false, false};
            const QColor colours[6] = {QColor(150, 140, 130), red, red, red, red, QColor(150, 140, 130)};
            Bars(p, yang, 4, 17, colours);
            p.setPen(QPen(ink, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(2.0, 5.6, 21, 14.0));
        });
    }
    if (name == u"TlOpacne") {
        // Opposites: the taiji.
        return Glyph(scale, [&](QPainter &p) {
            PaintYinYang(p, QPointF(12.5, 12.5), 10.5, QColor(250, 246, 236), ink);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, 1.2));
            p.drawEllipse(QPointF(12.5, 12.5), 10.5, 10.5);
        });
    }
    if (name == u"TlOtocene") {
        // Swapped trigrams: the upper and the lower change places.
        return Glyph(scale, [&](QPainter &p) {
            const bool yang[6] = {true, true, false, false, true, true};
            const QColor colours[6] = {red, red, red, blue, blue, blue};
            Bars(p, yang, 2, 14, colours);
            QPainterPath arrow;
            arrow.moveTo(19, 5);
            arrow.cubicTo(24, 8, 24, 17, 19, 20);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, 1.4));
            p.drawPath(arrow);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPolygon(QPolygonF({QPointF(17, 3.2), QPointF(21.5, 4.6), QPointF(18.2, 8)}));
            p.drawPolygon(QPolygonF({QPointF(17, 21.8), QPointF(21.5, 20.4), QPointF(18.2, 17)}));
        });
    }
    if (name == u"TlPoznamky") {
        // Notes: a written sheet and a pencil.
        return Glyph(scale, [&](QPainter &p) {
            p.setPen(QPen(ink, 1.0));
            p.setBrush(QColor(252, 248, 232));
            p.drawRect(QRectF(3.5, 2.5, 14, 19));
            p.setPen(QPen(QColor(90, 90, 120), 0.9));
            for (int i = 0; i < 5; ++i)
                p.drawLine(QPointF(6, 6.5 + 3 * i), QPointF(15, 6.5 + 3 * i));
            p.save();
            p.translate(18, 14);
            p.rotate(35);
            p.setPen(QPen(ink, 0.8));
            p.setBrush(gold);
            p.drawRect(QRectF(-2, -9, 4, 14));
            p.setBrush(QColor(230, 200, 160));
            p.drawPolygon(QPolygonF({QPointF(-2, 5), QPointF(2, 5), QPointF(0, 9.5)}));
            p.setBrush(red);
            p.drawRect(QRectF(-2, -11, 4, 2.5));
            p.restore();
        });
    }
    if (name == u"TlVyvoj") {
        // The developing hexagram: changing lines turn into their opposites.
        return Glyph(scale, [&](QPainter &p) {
            const bool yang[6] = {true, false, false, true, true, false};
            const QColor colours[6] = {ink, red, ink, red, ink, ink};
            Bars(p, yang, 2, 12, colours);
            p.setPen(QPen(red, 1.6));
            p.drawLine(QPointF(16, 12.5), QPointF(22, 12.5));
            p.setPen(Qt::NoPen);
            p.setBrush(red);
            p.drawPolygon(QPolygonF({QPointF(24, 12.5), QPointF(20, 9), QPointF(20, 16)}));
        });
    }
    // TlZCar: the chosen changing lines marked red.
    return Glyph(scale, [&](QPainter &p) {
        const bool yang[6] = {false, true, true, false, true, false};
        const QColor colours[6] = {ink, red, ink, ink, red, ink};
        Bars(p, yang, 4, 17, colours);
    });
}

QList<QRgb> DiskettePalette()
{
    // The sixteen colours of the classic display adapter.
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

namespace {

// The diskette on a grid twice as fine: the same body, shutter and label,
// with the corner cut on a smoother diagonal, a lit edge beside the
// shutter's slot and three thin lines of writing where the small one has two.
QImage FineDiskette()
{
    const QColor black(0, 0, 0), navy(0, 0, 128), silver(192, 192, 192), grey(128, 128, 128), white(255, 255, 255);
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(silver); // the background of a button face
    QPainter p(&image);
    p.fillRect(0, 0, 30, 30, black);
    p.fillRect(2, 2, 26, 26, navy);
    // The cut corner at the top right.
    p.fillRect(28, 0, 2, 1, silver);
    p.fillRect(29, 1, 1, 1, silver);
    p.fillRect(27, 1, 2, 1, black);
    p.fillRect(28, 2, 2, 1, black);
    // The shutter with its slot, dark below and lit on the slot's right.
    p.fillRect(6, 2, 16, 10, silver);
    p.fillRect(6, 11, 16, 1, grey);
    p.fillRect(12, 4, 2, 6, black);
    p.fillRect(14, 4, 1, 6, white);
    // The label and its writing.
    p.fillRect(4, 14, 22, 14, white);
    for (int y : {17, 20, 23})
        p.fillRect(7, y, 16, 1, grey);
    return image;
}

} // namespace

QImage Diskette(int scale)
{
    if (scale > 1)
        return FineDiskette();
    // A 3.5-inch diskette: dark body, sliding metal shutter, white label.
    const char *const art[15] = {
        "KKKKKKKKKKKKKK.", "KNNSSSSSSSSNNKK", "KNNSSSKSSSSNNNK", "KNNSSSKSSSSNNNK", "KNNSSSKSSSSNNNK",
        "KNNSSSSSSSSNNNK", "KNNNNNNNNNNNNNK", "KNWWWWWWWWWWWNK", "KNWwwwwwwwwwWNK", "KNWWWWWWWWWWWNK",
        "KNWwwwwwwwwwWNK", "KNWWWWWWWWWWWNK", "KNWWWWWWWWWWWNK", "KNWWWWWWWWWWWNK", "KKKKKKKKKKKKKKK",
    };
    QImage image(15, 15, QImage::Format_RGB32);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            QRgb c = qRgb(192, 192, 192);
            switch (art[y][x]) {
            case 'K': c = qRgb(0, 0, 0); break;
            case 'N': c = qRgb(0, 0, 128); break;
            case 'S': c = qRgb(192, 192, 192); break;
            case 'W': c = qRgb(255, 255, 255); break;
            case 'w': c = qRgb(128, 128, 128); break;
            default: c = qRgb(192, 192, 192); break; // the background of a button face
            }
            image.setPixel(x, y, c);
        }
    return image;
}

QList<QRgb> MainIconPalette()
{
    return {qRgb(0, 0, 0),       qRgb(70, 8, 8),      qRgb(120, 16, 14),  qRgb(165, 30, 24),
            qRgb(205, 52, 40),   qRgb(72, 46, 14),    qRgb(122, 82, 24),  qRgb(168, 120, 38),
            qRgb(208, 160, 58),  qRgb(236, 196, 96),  qRgb(252, 232, 160), qRgb(255, 255, 255),
            qRgb(40, 28, 24),    qRgb(150, 150, 150), qRgb(96, 24, 20),   qRgb(232, 220, 196)};
}

QImage MainIcon()
{
    // A gold coin with a square hole on a lacquer-red tile, drawn large and reduced.
    const int big = 256;
    QImage art(big, big, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient lacquer(QPointF(100, 90), 200);
        lacquer.setColorAt(0, QColor(200, 50, 38));
        lacquer.setColorAt(1, QColor(90, 12, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(lacquer);
        p.drawRoundedRect(QRectF(0, 0, big, big), 40, 40);
        const QPointF c(128, 128);
        p.setBrush(QColor(40, 6, 4, 160));
        p.drawEllipse(c + QPointF(8, 10), 100, 100);
        p.setBrush(GoldGradient(QPointF(40, 30), QPointF(220, 230)));
        p.drawEllipse(c, 100, 100);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(120, 80, 20), 8));
        p.drawEllipse(c, 82, 82);
        p.drawRect(QRectF(c.x() - 40, c.y() - 40, 80, 80));
        p.setPen(Qt::NoPen);
        p.setBrush(lacquer);
        p.drawRect(QRectF(c.x() - 30, c.y() - 30, 60, 60));
        p.setBrush(QColor(255, 250, 220, 150));
        p.drawEllipse(QPointF(88, 80), 16, 10);
    }
    QImage small = art.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb px = small.pixel(x, y);
            const double rest = 1 - qAlpha(px) / 255.0;
            // The rounded corners fade into the dark of a title bar.
            out.setPixel(x, y, qRgb(int(qRed(px) + 40 * rest), int(qGreen(px) + 28 * rest), int(qBlue(px) + 24 * rest)));
        }
    return out;
}

} // namespace Gen
