// Old paper: a mottled base tone, cloudy fibre density, single fibres laid
// in every direction, foxing spots and edges that darkened with age.

#include "Generator.h"
#include "Noise.h"
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace Gen {

QImage Paper(int width, int height, bool golden, quint32 seed, int scale)
{
    const QColor base = golden ? QColor(232, 206, 146) : QColor(214, 213, 206);
    const QColor aged = golden ? QColor(196, 154, 88) : QColor(170, 168, 160);
    const PeriodicNoise cloud(seed), grain(seed + 1), stain(seed + 2);
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    const double cell = 105.0; // noise cells are set for the small sheet and grow with the picture
    const int cx = std::max(2, int(width / cell * 3)), cy = std::max(2, int(height / cell * 3));
    // Positions are in pixels of scale 1; a finer sheet only samples more often.
    for (int py = 0; py < image.height(); ++py) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(py));
        const double y = AtScaleOne(py, scale);
        const double v = y / height;
        for (int px = 0; px < image.width(); ++px) {
            const double x = AtScaleOne(px, scale);
            const double u = x / width;
            // Distance to the nearest edge in pixels: the border yellowed and browned.
            const double edge = std::max(0.0, std::min({x, y, width - 1 - x, height - 1 - y}));
            double ageing = std::exp(-edge / 5.0) * 0.55 + std::exp(-edge / 22.0) * 0.25;
            ageing *= 0.8 + 0.4 * (0.5 + 0.5 * stain.fbm(u, v, cx, cy, 3));
            const double mottle = cloud.fbm(u, v, cx, cy, 5, 0.55);
            const double fine = grain.at(x * 0.9, y * 0.9, std::max(1, int(width * 0.9)), std::max(1, int(height * 0.9)));
            // Foxing: a few brownish spots where the noise peaks.
            const double fox = Smoothstep(0.55, 0.75, stain.fbm(u + 0.31, v + 0.17, cx * 2, cy * 2, 2));
            double t = Clamp01(ageing + 0.35 * fox + 0.07 * mottle);
            double r = Lerp(base.redF(), aged.redF(), t);
            double g = Lerp(base.greenF(), aged.greenF(), t);
            double b = Lerp(base.blueF(), aged.blueF(), t);
            const double k = 1.0 + 0.05 * mottle + 0.035 * fine;
            row[px] = qRgb(int(Clamp01(r * k) * 255 + 0.5), int(Clamp01(g * k) * 255 + 0.5),
                          int(Clamp01(b * k) * 255 + 0.5));
        }
    }

    // Fibres: short curved hairs, a little darker or lighter than the sheet.
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    Random random(seed + 9);
    const int fibres = width * height / 90;
    for (int i = 0; i < fibres; ++i) {
        const double x = random.range(0, width), y = random.range(0, height);
        const double angle = random.range(0, 6.2832), length = random.range(2.0, 7.0);
        const double bend = random.range(-1.5, 1.5);
        QPainterPath path(QPointF(x, y));
        const QPointF end(x + length * std::cos(angle), y + length * std::sin(angle));
        const QPointF mid((x + end.x()) / 2 - bend * std::sin(angle), (y + end.y()) / 2 + bend * std::cos(angle));
        path.quadTo(mid, end);
        const bool dark = random.uniform() < 0.6;
        QColor c = dark ? aged.darker(130) : QColor(255, 250, 235);
        c.setAlphaF(float(random.range(0.05, 0.16)));
        p.setPen(QPen(c, random.range(0.4, 0.9)));
        p.drawPath(path);
    }
    // The cut edge is a thin darker line, so the sheet stands out of the table.
    p.resetTransform();
    p.setRenderHint(QPainter::Antialiasing, false);
    QColor rim = aged.darker(150);
    rim.setAlpha(150);
    p.setPen(rim);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < scale; ++i)
        p.drawRect(i, i, image.width() - 1 - 2 * i, image.height() - 1 - 2 * i);
    return image;
}

} // namespace Gen
