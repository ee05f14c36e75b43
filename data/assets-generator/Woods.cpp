// Table woods. Each picture is a planked table top: boards laid along the
// width, their grain computed as the cut through the growth rings of a log
// (flat-sawn boards show nested arches where the cut runs at a slight angle
// to the trunk). Plank gaps sit on the top row of every plank and each board
// is exactly one picture long, so the picture tiles without a seam: the wrap
// at the right edge continues the same board, the wrap at the bottom meets
// the gap of the first plank.

#include "Generator.h"
#include "Noise.h"
#include <QVector>
#include <cmath>

namespace Gen {
namespace {

struct WoodSpec {
    int width, height;
    int planks;
    quint32 seed;
    QColor early, late; // colours of the light and the dark part of a growth ring
    double ringSpacing; // pixels between rings
    double contrast;
    double figure;      // how strongly the cut runs across the rings: more arches
    double pores;       // open-pored woods show dark flecks along the grain
    double streaks;
    double gloss;
};

// Stul1 oak, Stul2 walnut, Stul3 cherry, Stul4 pale ash.
const WoodSpec kWoods[4] = {
    {854, 690, 3, 11, QColor(194, 148, 94), QColor(132, 88, 48), 11.0, 0.85, 1.0, 0.70, 0.07, 0.05},
    {800, 632, 4, 23, QColor(128, 86, 56), QColor(64, 40, 25), 9.0, 0.80, 1.3, 0.35, 0.09, 0.06},
    {736, 730, 4, 37, QColor(168, 98, 66), QColor(110, 54, 34), 7.5, 0.70, 0.8, 0.15, 0.07, 0.07},
    {860, 375, 3, 41, QColor(216, 182, 134), QColor(158, 116, 70), 13.0, 0.80, 1.2, 0.45, 0.06, 0.04},
};

struct Board {
    double jointX;    // where this board starts (and the previous one ends)
    double pithAcross; // the trunk axis, across the plank, in pixels from its top
    double depth0, depthSlope; // distance of the axis below the surface, and its change along the board
    double tone;      // brightness of this board
    double hue;       // small shift towards red (+) or yellow (-)
    quint32 seed;
};

QColor Mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(Lerp(a.redF(), b.redF(), t)), float(Lerp(a.greenF(), b.greenF(), t)),
                            float(Lerp(a.blueF(), b.blueF(), t)));
}

} // namespace

QImage Wood(int number, int scale)
{
    const WoodSpec &spec = kWoods[qBound(1, number, 4) - 1];
    const int W = spec.width, H = spec.height;
    Random random(spec.seed);

    QVector<int> plankTop(spec.planks + 1);
    for (int i = 0; i <= spec.planks; ++i)
        plankTop[i] = int(std::lround(double(i) * H / spec.planks));
    QVector<Board> boards(spec.planks);
    for (int i = 0; i < spec.planks; ++i) {
        const double ph = plankTop[i + 1] - plankTop[i];
        Board &b = boards[i];
        b.jointX = W * (0.15 + 0.7 * random.uniform());
        b.pithAcross = ph * random.range(-0.1, 1.1);
        b.depthSlope = spec.figure * random.range(30.0, 75.0) * (random.uniform() < 0.5 ? -1 : 1);
        b.depth0 = std::abs(b.depthSlope) * 0.5 + random.range(15.0, 90.0);
        b.tone = random.range(-0.06, 0.06);
        b.hue = random.range(-0.03, 0.03);
        b.seed = random.next();
    }

    // Everything is measured in pixels of scale 1; a finer picture only samples more often.
    QImage image(W * scale, H * scale, QImage::Format_RGB32);
    for (int p = 0; p < spec.planks; ++p) {
        const Board &b = boards[p];
        const int top = plankTop[p], ph = plankTop[p + 1] - top;
        const PeriodicNoise warp(b.seed), fine(b.seed + 1), pore(b.seed + 2), growth(b.seed + 3), tone(b.seed + 4);
        for (int py = 0; py < ph * scale; ++py) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(top * scale + py));
            const double ly = AtScaleOne(py, scale);
            const int plankRow = py / scale; // the gap is shaded by whole rows of scale 1
            const double v = ly / ph;
            for (int px = 0; px < W * scale; ++px) {
                const double x = AtScaleOne(px, scale);
                // Position along the board, 0 at its start.
                const double s = std::fmod(x - b.jointX + 2.0 * W, double(W));
                const double u = s / W;
                // The cut runs at a slight angle to the trunk, so the axis sinks or rises
                // along the board and the rings open into arches.
                const double depth = b.depth0 + b.depthSlope * (u - 0.5) + 10.0 * growth.fbm(u, 0.3, 3, 1, 2);
                const double across = ly - b.pithAcross + 14.0 * warp.fbm(u, v * 0.5, 4, 2, 3);
                double radius = std::sqrt(across * across + depth * depth);
                // Rings are never round: they wander with the angle around the trunk.
                const double angle = std::atan2(across, depth);
                radius += 5.0 * warp.fbm(angle * 0.5 + 0.5, u, 3, 4, 3) + 1.2 * fine.fbm(u, v, 30, 8, 2);
                // Growth years differ: the ring spacing wanders.
                const double spacing = spec.ringSpacing * (1.0 + 0.45 * growth.fbm(radius / 600.0, 0.7, 5, 1, 3));
                const double ring = radius / spacing;
                const double phase = Frac(ring);
                const int year = int(std::floor(ring));
                const double yearStrength = 0.55 + 0.45 * ((Hash(quint32(year), b.seed, 7) & 255) / 255.0);
                // Earlywood grows light and gives way to a narrow band of latewood, which ends sharply.
                double late = Smoothstep(0.60, 0.95, phase);
                late = late * std::sqrt(late) * (1.0 - Smoothstep(0.97, 1.0, phase));
                // Everything below follows the rings: fibres, pores and streaks run along them.
                constexpr int kOpen = 1 << 20; // no period needed inside one board
                const double fibres = fine.at(s / 55.0, radius / 0.9, kOpen, kOpen);
                late *= 0.8 + 0.3 * fibres;
                const double shade = spec.contrast * yearStrength * late;

                const double streak = tone.at(s / 260.0, radius / 18.0, kOpen, kOpen)
                                      + 0.5 * tone.at(s / 90.0, radius / 5.0, kOpen, kOpen);
                double k = 1.0 + spec.streaks * streak + 0.045 * fibres + b.tone + 0.04 * tone.fbm(u, v, 2, 1, 2);
                // Pores: short dark dashes along the grain, most of them in the earlywood of open-pored woods.
                const double pn = pore.at(s / 4.0, radius / 1.1, kOpen, kOpen);
                const double poreDepth = Smoothstep(0.42, 0.75, pn) * spec.pores * (1.1 - 0.7 * late);
                k *= 1.0 - 0.30 * poreDepth;

                QColor c = Mix(spec.early, spec.late, Clamp01(shade));
                double r = c.redF() * k * (1 + b.hue), g = c.greenF() * k, bl = c.blueF() * k * (1 - b.hue);
                // The varnish lifts the light parts a little.
                const double lum = 0.3 * r + 0.59 * g + 0.11 * bl;
                r += spec.gloss * lum * lum;
                g += spec.gloss * lum * lum;
                bl += spec.gloss * lum * lum * 0.8;

                // The gap between planks: dark on the top rows, the edge above it catches the light.
                double edge = 1.0;
                if (plankRow == 0)
                    edge = 0.42;
                else if (plankRow == 1)
                    edge = 0.78;
                else if (plankRow == 2)
                    edge = 0.93;
                else if (plankRow == ph - 1)
                    edge = 1.06;
                // The butt joint where this board meets the next.
                const double dj = std::fmod(x - b.jointX + 1.5 * W, double(W)) - 0.5 * W;
                if (dj > -1.0 && dj <= 0.0)
                    edge *= 0.5;
                else if (dj > 0.0 && dj <= 1.0)
                    edge *= 0.82;
                else if (dj > -2.0 && dj <= -1.0)
                    edge *= 1.05;
                r *= edge;
                g *= edge;
                bl *= edge;
                row[px] = qRgb(int(Clamp01(r) * 255 + 0.5), int(Clamp01(g) * 255 + 0.5), int(Clamp01(bl) * 255 + 0.5));
            }
        }
    }
    return image;
}

} // namespace Gen
