// Coin strips. A coin is a round cast coin with a square hole, a raised rim
// round the edge and round the hole, and a design in relief. Each face is
// made as a height map, lit from the upper left (diffuse and a metallic
// highlight, darker in the recesses where tarnish collects), then turned in
// space frame by frame: its width shrinks with the cosine of the angle and
// its edge shows as a band as thick as the coin times the sine.
//
// Frames are drawn four times larger and scaled down, to the frame size or
// to twice it for high-density screens. Pixels the coin does
// not cover take the key colour, the strip's bottom-left pixel, which the
// coin control draws transparent; the hole is keyed too, so the table shows
// through it. Half-covered pixels at the edge are blended with a dark brown
// that passes for the coin's contact shadow on any of the woods.

#include "Generator.h"
#include "Noise.h"
#include <QPainter>
#include <QPainterPath>
#include <QVector>
#include <cmath>

namespace Gen {
namespace {

constexpr int kFrameW = 65, kFrameH = 67;
constexpr int kScale = 4;
constexpr double kDiameter = 61.0;
constexpr double kThickness = 3.4;
constexpr double kHole = 0.19;     // half the side of the square hole, in coin radii
constexpr double kHoleRim = 0.075; // width of the rim around the hole
constexpr double kRimInner = 0.85; // where the outer rim starts
const QRgb kKey = qRgb(255, 0, 255);
const QColor kMatte(62, 44, 28);

enum class Side { Inscribed, Plain, Numeral, Ornament };

struct Metal {
    QColor base, shadow, highlight, tarnish;
};

Metal MetalOf(bool gold)
{
    return gold ? Metal{QColor(240, 192, 78), QColor(118, 78, 22), QColor(255, 246, 200), QColor(128, 84, 30)}
                : Metal{QColor(188, 190, 194), QColor(84, 86, 92), QColor(255, 255, 255), QColor(70, 72, 70)};
}

// Pseudo-characters of the inscription, strokes in a unit box.
using Strokes = QVector<QPolygonF>;

Strokes Character(int which)
{
    auto P = [](std::initializer_list<QPointF> pts) { return QPolygonF(QVector<QPointF>(pts)); };
    switch (which) {
    case 0:
        return {P({{0.25, 0.14}, {0.75, 0.14}}), P({{0.08, 0.38}, {0.92, 0.38}}),
                P({{0.40, 0.38}, {0.36, 0.64}, {0.10, 0.90}}),
                P({{0.60, 0.38}, {0.60, 0.84}, {0.90, 0.88}, {0.92, 0.74}})};
    case 1:
        return {P({{0.36, 0.08}, {0.86, 0.08}, {0.64, 0.20}}),
                P({{0.38, 0.26}, {0.88, 0.26}, {0.88, 0.70}, {0.38, 0.70}, {0.38, 0.26}}),
                P({{0.38, 0.48}, {0.88, 0.48}}), P({{0.63, 0.26}, {0.63, 0.78}}),
                P({{0.10, 0.14}, {0.18, 0.24}}), P({{0.04, 0.44}, {0.20, 0.44}, {0.20, 0.80}}),
                P({{0.20, 0.80}, {0.48, 0.92}, {0.96, 0.92}})};
    case 2:
        return {P({{0.50, 0.00}, {0.50, 0.10}}), P({{0.10, 0.26}, {0.10, 0.14}, {0.90, 0.14}, {0.90, 0.26}}),
                P({{0.15, 0.32}, {0.45, 0.32}}), P({{0.15, 0.45}, {0.45, 0.45}}), P({{0.13, 0.58}, {0.47, 0.58}}),
                P({{0.30, 0.32}, {0.30, 0.58}}),
                P({{0.56, 0.30}, {0.86, 0.30}, {0.86, 0.58}, {0.56, 0.58}, {0.56, 0.30}}),
                P({{0.30, 0.64}, {0.70, 0.64}, {0.70, 0.86}, {0.30, 0.86}, {0.30, 0.64}}),
                P({{0.30, 0.75}, {0.70, 0.75}}), P({{0.38, 0.86}, {0.24, 0.98}}), P({{0.62, 0.86}, {0.76, 0.98}})};
    default:
        return {P({{0.30, 0.08}, {0.76, 0.03}}), P({{0.10, 0.20}, {0.90, 0.20}}),
                P({{0.22, 0.30}, {0.78, 0.30}, {0.78, 0.60}, {0.22, 0.60}, {0.22, 0.30}}),
                P({{0.22, 0.45}, {0.78, 0.45}}), P({{0.50, 0.10}, {0.50, 0.86}}), P({{0.20, 0.73}, {0.80, 0.73}}),
                P({{0.04, 0.88}, {0.96, 0.88}})};
    }
}

// Paints the raised design of a side in white onto a mask, in coin units
// (the coin spans -1..1).
void PaintDesign(QPainter &p, Side side)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    switch (side) {
    case Side::Plain:
        break;
    case Side::Inscribed: {
        // Read top, bottom, right, left, as on old cash coins.
        const QPointF centres[4] = {{0, -0.57}, {0, 0.57}, {0.57, 0}, {-0.57, 0}};
        for (int i = 0; i < 4; ++i) {
            const double box = 0.34;
            p.save();
            p.translate(centres[i] - QPointF(box / 2, box / 2));
            p.scale(box, box);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::white, 0.14, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            for (const QPolygonF &stroke : Character(i))
                p.drawPolyline(stroke);
            p.restore();
        }
        break;
    }
    case Side::Numeral: {
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setBold(true);
        font.setPixelSize(100);
        QPainterPath three;
        three.addText(0, 0, font, QStringLiteral("3"));
        const QRectF b = three.boundingRect();
        for (double y : {-0.58, 0.58}) {
            p.save();
            p.translate(0, y);
            const double s = 0.36 / b.height();
            p.scale(s, s);
            p.translate(-b.center());
            p.drawPath(three);
            p.restore();
        }
        // Two dots beside the hole balance the numerals.
        p.drawEllipse(QPointF(-0.56, 0), 0.07, 0.07);
        p.drawEllipse(QPointF(0.56, 0), 0.07, 0.07);
        break;
    }
    case Side::Ornament: {
        // Four petals from the corners of the hole towards the rim, with a dot between each pair.
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.rotate(45 + 90 * i);
            QPainterPath petal;
            petal.moveTo(0, -0.30);
            petal.cubicTo(0.20, -0.42, 0.17, -0.70, 0, -0.80);
            petal.cubicTo(-0.17, -0.70, -0.20, -0.42, 0, -0.30);
            QPainterPath inner;
            inner.moveTo(0, -0.40);
            inner.cubicTo(0.09, -0.48, 0.08, -0.64, 0, -0.70);
            inner.cubicTo(-0.08, -0.64, -0.09, -0.48, 0, -0.40);
            p.drawPath(petal.subtracted(inner));
            p.drawEllipse(QPointF(0, -0.55), 0.035, 0.035);
            p.rotate(45);
            p.drawEllipse(QPointF(0, -0.60), 0.075, 0.075);
            p.restore();
        }
        break;
    }
    }
}

// A lit face: colour where the coin is, alpha 0 outside it and in the hole.
QImage Face(Side side, bool gold)
{
    const int n = int(kDiameter * kScale);
    const double half = n / 2.0;
    const Metal metal = MetalOf(gold);

    QImage design(n, n, QImage::Format_ARGB32_Premultiplied);
    design.fill(Qt::transparent);
    {
        QPainter p(&design);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(half, half);
        p.scale(half, half);
        PaintDesign(p, side);
    }

    // Height map: field, rims and design.
    QVector<double> h(n * n), mask(n * n);
    const PeriodicNoise wear(gold ? 71 : 72);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double u = (x + 0.5 - half) / half, v = (y + 0.5 - half) / half;
            const double r = std::hypot(u, v);
            const double box = std::max(std::abs(u), std::abs(v));
            double height = 0.35 + 0.04 * wear.fbm(u * 0.5 + 0.5, v * 0.5 + 0.5, 6, 6, 3);
            if (r > kRimInner)
                height = 1.0 - 0.9 * Smoothstep(0.955, 1.0, r); // rounded outer rim
            if (box < kHole + kHoleRim)
                height = 0.95;
            height = std::max(height, 0.35 + 0.55 * qAlpha(design.pixel(x, y)) / 255.0);
            h[y * n + x] = height;
            // Antialiased silhouette: the disc minus the hole.
            const double disc = Clamp01((1.0 - r) * half + 0.5);
            const double hole = Clamp01((box - kHole) * half + 0.5);
            mask[y * n + x] = disc * hole;
        }
    // Soften the steps into bevels.
    for (int pass = 0; pass < 3; ++pass) {
        QVector<double> b(n * n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                double s = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        s += h[qBound(0, y + dy, n - 1) * n + qBound(0, x + dx, n - 1)];
                b[y * n + x] = s / 9;
            }
        h = b;
    }

    const double lx = -0.45, ly = -0.55, lz = 0.70;
    const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double hx = lx / ln, hy = ly / ln, hz = lz / ln + 1.0;
    const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
    const PeriodicNoise grain(gold ? 81 : 82);
    QImage face(n, n, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < n; ++y) {
        auto *row = reinterpret_cast<QRgb *>(face.scanLine(y));
        for (int x = 0; x < n; ++x) {
            const double a = mask[y * n + x];
            if (a <= 0) {
                row[x] = 0;
                continue;
            }
            const auto H = [&](int xx, int yy) { return h[qBound(0, yy, n - 1) * n + qBound(0, xx, n - 1)]; };
            const double relief = 2.6 * kScale; // the design stands this many pixels high
            const double gx = (H(x + 1, y) - H(x - 1, y)) * relief / 2, gy = (H(x, y + 1) - H(x, y - 1)) * relief / 2;
            double nx = -gx, ny = -gy, nz = 1.0;
            const double nn = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= nn, ny /= nn, nz /= nn;
            const double diffuse = std::max(0.0, (nx * lx + ny * ly + nz * lz) / ln);
            const double spec = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hn), 28);
            const double u = (x - half) / half, v = (y - half) / half;
            // The room reflected in the metal: lighter towards the upper left.
            const double env = 0.5 - 0.35 * (u + v);
            // Tarnish settles in the low field, polish wears the high relief.
            const double low = Smoothstep(0.6, 0.38, H(x, y));
            const double speck = grain.at(u * 40 + 40, v * 40 + 40, 80, 80);
            double k = 0.22 + 0.62 * diffuse + 0.24 * env + 0.05 * speck;
            QColor base = metal.base;
            const double t = 0.45 * low;
            double r = Lerp(base.redF(), metal.tarnish.redF(), t) * k;
            double g = Lerp(base.greenF(), metal.tarnish.greenF(), t) * k;
            double b = Lerp(base.blueF(), metal.tarnish.blueF(), t) * k;
            const double shine = 0.9 * spec * (1.0 - 0.6 * low);
            r += shine * metal.highlight.redF();
            g += shine * metal.highlight.greenF();
            b += shine * metal.highlight.blueF();
            row[x] = qPremultiply(qRgba(int(Clamp01(r) * 255), int(Clamp01(g) * 255), int(Clamp01(b) * 255),
                                        int(a * 255 + 0.5)));
        }
    }
    return face;
}

// The silhouette of a face in one colour, for the edge seen as the coin turns.
QImage Tinted(const QImage &face, const QColor &colour)
{
    QImage out = face;
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(out.rect(), colour);
    return out;
}

// One frame: the coin turned by `degrees` about the vertical axis (spin) or
// the horizontal axis (turn-over).
QImage Frame(const QImage &front, const QImage &back, double degrees, bool aboutHorizontal, const Metal &metal,
            int scale)
{
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const QImage &face = c >= 0 ? front : back;
    // Never thinner than a few pixels, so the stacked silhouettes close into the edge band.
    const double squash = std::max(std::abs(c), 0.03);
    const double depth = kThickness * kScale * std::abs(s);
    // Light falls less squarely on a face that turns away.
    const double light = 0.55 + 0.45 * std::abs(c);

    QImage canvas(kFrameW * kScale, kFrameH * kScale, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF centre(canvas.width() / 2.0, canvas.height() / 2.0);
    const double sign = s >= 0 ? 1 : -1;
    auto place = [&](double offset) {
        p.resetTransform();
        p.translate(centre);
        if (aboutHorizontal) {
            p.translate(0, offset);
            p.scale(1, squash);
        } else {
            p.translate(offset, 0);
            p.scale(squash, 1);
        }
        p.translate(-face.width() / 2.0, -face.height() / 2.0);
    };
    // The edge: the silhouette stacked through the thickness, darker towards the back.
    const int steps = int(std::ceil(depth)) + 1;
    for (int i = 0; i < steps && depth > 0.5; ++i) {
        const double t = steps > 1 ? double(i) / (steps - 1) : 1.0;
        const QColor edge = QColor::fromRgbF(float(Lerp(metal.shadow.redF(), metal.base.redF() * 0.8, t)),
                                             float(Lerp(metal.shadow.greenF(), metal.base.greenF() * 0.8, t)),
                                             float(Lerp(metal.shadow.blueF(), metal.base.blueF() * 0.8, t)));
        place(sign * (-depth / 2 + depth * t));
        p.drawImage(0, 0, Tinted(face, edge));
    }
    place(sign * depth / 2);
    p.drawImage(0, 0, face);
    if (light < 0.999) {
        // Darken only where the face is, so the key and the hole stay clear.
        QImage dim = Tinted(face, QColor(0, 0, 0, int((1.0 - light) * 255)));
        p.drawImage(0, 0, dim);
    }
    p.end();

    const int w = kFrameW * scale, h = kFrameH * scale;
    const QImage small = canvas.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage frame(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb px = small.pixel(x, y); // premultiplied
            const double alpha = qAlpha(px) / 255.0;
            if (alpha < 0.45) {
                frame.setPixel(x, y, kKey);
                continue;
            }
            const double rest = 1.0 - alpha;
            frame.setPixel(x, y, qRgb(int(qRed(px) + kMatte.red() * rest), int(qGreen(px) + kMatte.green() * rest),
                                      int(qBlue(px) + kMatte.blue() * rest)));
        }
    return frame;
}

} // namespace

QRgb CoinKeyColour() { return kKey; }

QImage CoinStrip(bool hand, bool gold, int scale)
{
    const Metal metal = MetalOf(gold);
    const QImage front = Face(hand ? Side::Numeral : Side::Inscribed, gold);
    const QImage back = Face(hand ? Side::Ornament : Side::Plain, gold);
    const int frames = hand ? 7 : 12;
    QImage strip(kFrameW * frames * scale, kFrameH * scale, QImage::Format_RGB32);
    QPainter p(&strip);
    for (int i = 0; i < frames; ++i) {
        // A timed coin spins a whole turn in 12 steps; a hand coin turns over in 6.
        p.drawImage(i * kFrameW * scale, 0, Frame(front, back, i * 30.0, hand, metal, scale));
    }
    return strip;
}

} // namespace Gen
