#pragma once
// The asset generator: every picture, sound and cursor of the program is
// drawn or computed here from fixed seeds, so a build makes the same files
// on every machine that has the same fonts.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

namespace Gen {

inline constexpr int kSampleRate = 22050;

// Table woods 1..4 in their catalogued sizes.
QImage Wood(int number);
// A sheet of old paper, golden or silver-grey; tileable is not needed.
QImage Paper(int width, int height, bool golden, quint32 seed);
// The trigram circle in the Fu Si or the Wen arrangement.
QImage TrigramCircle(bool fuSi, bool golden);
// Coin strips: 12 frames of a full turn (timed) or 7 frames of a turn-over (hand).
QImage CoinStrip(bool hand, bool gold);
QRgb CoinKeyColour();

QImage Logo();
QImage PanelBackground();
// The 25 x 25 button glyphs; the bottom-left pixel is the transparent colour.
QImage ButtonGlyph(const QString &name);
QImage Diskette();
QList<QRgb> DiskettePalette();
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
