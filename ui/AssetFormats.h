#pragma once
// The three file formats of the embedded assets, written by the asset
// generator and read back by the program and its tests:
//
//  - device-independent bitmaps (.bmp): uncompressed, bottom-up rows padded
//    to four bytes, 24-bit colour or 4-bit with a 16-entry palette;
//  - RIFF WAVE (.wav): PCM, mono, unsigned 8-bit samples;
//  - cursors (.cur): one 32 x 32 image with its hot spot, a colour (XOR)
//    bitmap of 1 or 24 bits per pixel followed by a 1-bit AND mask.
//
// Every reader treats its input as untrusted: sizes and offsets are checked
// against the bytes actually present, and a bad file yields an invalid result.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>

namespace AssetFormats {

// ---- Bitmaps -------------------------------------------------------------

inline constexpr int kBmpFileHeaderBytes = 14;
inline constexpr int kBmpInfoHeaderBytes = 40;
inline constexpr quint32 kBiRgb = 0; // no compression

struct BmpInfo {
    bool valid = false;
    int width = 0;
    int height = 0; // positive: rows stored bottom-up
    int bitCount = 0;
    quint32 compression = 0;
    quint32 pixelOffset = 0;
    int paletteEntries = 0;
};

// 24-bit, uncompressed; the alpha channel, if any, is dropped.
QByteArray EncodeBmp24(const QImage &image);
// 4-bit with the given palette (at most 16 entries); each pixel takes the
// nearest palette colour.
QByteArray EncodeBmp4(const QImage &image, const QList<QRgb> &palette);
BmpInfo ReadBmpInfo(const QByteArray &bytes);

// ---- Waves ---------------------------------------------------------------

inline constexpr int kWavePcm = 1;

struct WaveInfo {
    bool valid = false;
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataOffset = 0;
    qint64 dataBytes = 0;
    double seconds() const;
};

// Unsigned 8-bit mono samples (128 is silence) in a canonical 44-byte-header wave.
QByteArray EncodeWave8(const QByteArray &samples, int sampleRate);
WaveInfo ReadWaveInfo(const QByteArray &bytes);
// The sample bytes of an 8-bit mono wave; empty when the wave is not one.
QByteArray WaveSamples8(const QByteArray &bytes);

// ---- Cursors -------------------------------------------------------------

inline constexpr int kCursorSize = 32;

struct CursorImage {
    bool valid = false;
    QImage image; // ARGB32, fully opaque or fully transparent pixels
    QPoint hotSpot;
    int bitCount = 0;
};

// Pixels whose alpha is below one half become transparent (AND mask set).
// bitCount 1: opaque pixels darker than mid-grey are black, the rest white.
QByteArray EncodeCursor(const QImage &image, QPoint hotSpot, int bitCount);
CursorImage DecodeCursor(const QByteArray &bytes);

} // namespace AssetFormats
