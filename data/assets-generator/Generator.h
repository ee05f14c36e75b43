#pragma once
// The asset generator: every picture, sound and cursor of the program is
// drawn or computed here from fixed seeds, so a build makes the same files
// on every machine that has the same fonts.
//
// A picture can also be drawn at scale 2 for high-density screens: the same
// design sampled or painted at half-pixel steps, never an enlargement, so
// the finer grid carries detail that scale 1 has no room for.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPointF>
#include <QList>
#include <QPoint>
#include <QString>

namespace Gen {

inline constexpr int kSampleRate = 22050;

// Where the centre of pixel `i` of a picture drawn at `scale` lies in the
// pixels of scale 1. Exact at scale 1, so those pictures stay as they were.
inline double AtScaleOne(int i, int scale) { return (i + 0.5) / scale - 0.5; }

// Table woods 1..4 in their catalogued sizes.
QImage Wood(int number, int scale = 1);
// A sheet of old paper, golden or silver-grey; tileable is not needed.
// width and height are those of the sheet at scale 1.
QImage Paper(int width, int height, bool golden, quint32 seed, int scale = 1);
// The trigram circle in the Fu Si or the Wen arrangement.
QImage TrigramCircle(bool fuSi, bool golden, int scale = 1);
// Coin strips: 12 frames of a full turn (timed) or 7 frames of a turn-over (hand).
QImage CoinStrip(bool hand, bool gold, int scale = 1);
QRgb CoinKeyColour();

QImage Logo(int scale = 1);
QImage PanelBackground(int scale = 1);
// The 25 x 25 button glyphs; the bottom-left pixel is the transparent colour.
QImage ButtonGlyph(const QString &name, int scale = 1);
QImage Diskette(int scale = 1);
QList<QRgb> DiskettePalette();
// The gilding shared by the logo, the glyphs and the icons.
QLinearGradient GoldGradient(QPointF from, QPointF to);
QImage MainIcon();
QList<QRgb> MainIconPalette();
// Desktop icons at any size, with transparency: the program and its saved consultations.
QImage AppIcon(int size);
QImage ConsultationFileIcon(int size);

struct CursorArt {
    QImage image; // 32 x 32 ARGB, alpha 0 where transparent
    QPoint hotSpot;
    int bitCount = 24;
};
CursorArt Cursor(const QString &name);

// Unsigned 8-bit mono samples at kSampleRate.
QByteArray Sound(const QString &name);

} // namespace Gen
