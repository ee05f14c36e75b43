#include "ui/AssetFormats.h"
#include <QtEndian>
#include <limits>

namespace {

void Put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void Put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// Reads little-endian values at an offset, failing softly past the end.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}
    bool has(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    quint16 u16(qint64 offset) const
    {
        return has(offset, 2) ? qFromLittleEndian<quint16>(m_bytes.constData() + offset) : 0;
    }
    quint32 u32(qint64 offset) const
    {
        return has(offset, 4) ? qFromLittleEndian<quint32>(m_bytes.constData() + offset) : 0;
    }
    qint32 s32(qint64 offset) const { return static_cast<qint32>(u32(offset)); }
    uchar u8(qint64 offset) const { return has(offset, 1) ? uchar(m_bytes.at(offset)) : 0; }
    bool tagAt(qint64 offset, const char *tag) const { return has(offset, 4) && m_bytes.mid(offset, 4) == tag; }
    qint64 size() const { return m_bytes.size(); }

private:
    const QByteArray &m_bytes;
};

// Bytes of one bitmap row, padded to a multiple of four.
qint64 RowBytes(qint64 width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

void PutInfoHeader(QByteArray &out, int width, int height, int bitCount, quint32 imageBytes, int paletteEntries)
{
    Put32(out, AssetFormats::kBmpInfoHeaderBytes);
    Put32(out, quint32(width));
    Put32(out, quint32(height));
    Put16(out, 1); // planes
    Put16(out, quint16(bitCount));
    Put32(out, AssetFormats::kBiRgb);
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi in pixels per metre
    Put32(out, 2835);
    Put32(out, quint32(paletteEntries));
    Put32(out, 0);
}

void PutFileHeader(QByteArray &out, quint32 fileBytes, quint32 pixelOffset)
{
    out.append("BM", 2);
    Put32(out, fileBytes);
    Put32(out, 0);
    Put32(out, pixelOffset);
}

int NearestIndex(QRgb c, const QList<QRgb> &palette)
{
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(c) - qRed(palette[i]);
        const long dg = qGreen(c) - qGreen(palette[i]);
        const long db = qBlue(c) - qBlue(palette[i]);
        // Weighted as the eye weighs the channels.
        const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace

namespace AssetFormats {

QByteArray EncodeBmp24(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const qint64 row = RowBytes(w, 24);
    const quint32 imageBytes = quint32(row * h);
    const quint32 offset = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;
    QByteArray out;
    out.reserve(offset + imageBytes);
    PutFileHeader(out, offset + imageBytes, offset);
    PutInfoHeader(out, w, h, 24, imageBytes, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray bytes(row, '\0');
        for (int x = 0; x < w; ++x) {
            bytes[3 * x] = char(qBlue(line[x]));
            bytes[3 * x + 1] = char(qGreen(line[x]));
            bytes[3 * x + 2] = char(qRed(line[x]));
        }
        out.append(bytes);
    }
    return out;
}

QByteArray EncodeBmp4(const QImage &source, const QList<QRgb> &palette)
{
    Q_ASSERT(!palette.isEmpty() && palette.size() <= 16);
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const qint64 row = RowBytes(w, 4);
    const quint32 imageBytes = quint32(row * h);
    const quint32 offset = kBmpFileHeaderBytes + kBmpInfoHeaderBytes + 16 * 4;
    QByteArray out;
    PutFileHeader(out, offset + imageBytes, offset);
    PutInfoHeader(out, w, h, 4, imageBytes, 16);
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray bytes(row, '\0');
        for (int x = 0; x < w; ++x) {
            const int index = NearestIndex(line[x], palette);
            bytes[x / 2] = char(uchar(bytes[x / 2]) | (x % 2 == 0 ? index << 4 : index));
        }
        out.append(bytes);
    }
    return out;
}

BmpInfo ReadBmpInfo(const QByteArray &bytes)
{
    const Reader r(bytes);
    BmpInfo info;
    if (!r.has(0, kBmpFileHeaderBytes + kBmpInfoHeaderBytes) || bytes.at(0) != 'B' || bytes.at(1) != 'M')
        return info;
    if (r.u32(14) < quint32(kBmpInfoHeaderBytes))
        return info;
    info.pixelOffset = r.u32(10);
    info.width = r.s32(18);
    info.height = r.s32(22);
    info.bitCount = r.u16(28);
    info.compression = r.u32(30);
    const quint32 used = r.u32(46);
    info.paletteEntries = info.bitCount <= 8 ? int(used ? qMin<quint32>(used, 256) : 1u << info.bitCount) : 0;
    if (info.width <= 0 || info.height == 0 || info.width > 65535 || qAbs(info.height) > 65535)
        return info;
    const qint64 pixels = RowBytes(info.width, info.bitCount) * qAbs(info.height);
    info.valid = r.u16(26) == 1 && r.has(info.pixelOffset, pixels);
    return info;
}

// ---- Waves ---------------------------------------------------------------

double WaveInfo::seconds() const
{
    const int frameBytes = channels * ((bitsPerSample + 7) / 8);
    return valid && sampleRate > 0 && frameBytes > 0 ? double(dataBytes / frameBytes) / sampleRate : 0.0;
}

QByteArray EncodeWave8(const QByteArray &samples, int sampleRate)
{
    QByteArray out;
    const quint32 data = quint32(samples.size());
    out.append("RIFF", 4);
    Put32(out, 36 + data + (data & 1));
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    Put32(out, 16);
    Put16(out, kWavePcm);
    Put16(out, 1);                   // mono
    Put32(out, quint32(sampleRate));
    Put32(out, quint32(sampleRate)); // bytes per second
    Put16(out, 1);                   // block align
    Put16(out, 8);
    out.append("data", 4);
    Put32(out, data);
    out.append(samples);
    if (data & 1)
        out.append(char(0)); // chunks are word aligned
    return out;
}

WaveInfo ReadWaveInfo(const QByteArray &bytes)
{
    const Reader r(bytes);
    WaveInfo info;
    if (!r.tagAt(0, "RIFF") || !r.tagAt(8, "WAVE"))
        return info;
    bool haveFormat = false;
    qint64 at = 12;
    while (r.has(at, 8)) {
        const quint32 size = r.u32(at + 4);
        const qint64 body = at + 8;
        if (r.tagAt(at, "fmt ") && size >= 16 && r.has(body, 16)) {
            info.format = r.u16(body);
            info.channels = r.u16(body + 2);
            info.sampleRate = int(r.u32(body + 4));
            info.bitsPerSample = r.u16(body + 14);
            haveFormat = true;
        } else if (r.tagAt(at, "data")) {
            info.dataOffset = body;
            info.dataBytes = qMin<qint64>(size, r.size() - body);
            info.valid = haveFormat && size <= quint64(r.size() - body);
            return info;
        }
        at = body + size + (size & 1);
    }
    return info;
}

QByteArray WaveSamples8(const QByteArray &bytes)
{
    const WaveInfo info = ReadWaveInfo(bytes);
    if (!info.valid || info.format != kWavePcm || info.channels != 1 || info.bitsPerSample != 8)
        return {};
    return bytes.mid(info.dataOffset, info.dataBytes);
}

// ---- Cursors -------------------------------------------------------------

QByteArray EncodeCursor(const QImage &source, QPoint hotSpot, int bitCount)
{
    Q_ASSERT(bitCount == 1 || bitCount == 24);
    const QImage image = source.convertToFormat(QImage::Format_ARGB32)
                             .scaled(kCursorSize, kCursorSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const int n = kCursorSize;
    const qint64 colourRow = RowBytes(n, bitCount), maskRow = RowBytes(n, 1);
    const int paletteBytes = bitCount == 1 ? 2 * 4 : 0;
    const quint32 resourceBytes = quint32(kBmpInfoHeaderBytes + paletteBytes + (colourRow + maskRow) * n);

    QByteArray out;
    Put16(out, 0);
    Put16(out, 2); // cursor
    Put16(out, 1); // one image
    out.append(char(n));
    out.append(char(n));
    out.append(char(bitCount == 1 ? 2 : 0)); // colours in the palette
    out.append('\0');
    Put16(out, quint16(hotSpot.x()));
    Put16(out, quint16(hotSpot.y()));
    Put32(out, resourceBytes);
    Put32(out, 6 + 16);

    // The height counts the colour bitmap and the mask together.
    PutInfoHeader(out, n, 2 * n, bitCount, quint32((colourRow + maskRow) * n), bitCount == 1 ? 2 : 0);
    if (bitCount == 1) {
        Put32(out, 0x00000000); // black
        Put32(out, 0x00FFFFFF); // white
    }
    QByteArray colour, mask;
    for (int y = n - 1; y >= 0; --y) {
        QByteArray c(colourRow, '\0'), m(maskRow, '\0');
        for (int x = 0; x < n; ++x) {
            const QRgb p = image.pixel(x, y);
            const bool transparent = qAlpha(p) < 128;
            if (transparent) {
                m[x / 8] = char(uchar(m[x / 8]) | (0x80 >> (x % 8)));
                continue;
            }
            if (bitCount == 1) {
                if (qGray(p) >= 128)
                    c[x / 8] = char(uchar(c[x / 8]) | (0x80 >> (x % 8)));
            } else {
                c[3 * x] = char(qBlue(p));
                c[3 * x + 1] = char(qGreen(p));
                c[3 * x + 2] = char(qRed(p));
            }
        }
        colour.append(c);
        mask.append(m);
    }
    out.append(colour);
    out.append(mask);
    return out;
}

CursorImage DecodeCursor(const QByteArray &bytes)
{
    const Reader r(bytes);
    CursorImage result;
    if (!r.has(0, 6 + 16) || r.u16(0) != 0 || r.u16(2) != 2 || r.u16(4) < 1)
        return result;
    const int hotX = r.u16(6 + 4), hotY = r.u16(6 + 6);
    const qint64 at = r.u32(6 + 12);
    if (!r.has(at, kBmpInfoHeaderBytes) || r.u32(at) < quint32(kBmpInfoHeaderBytes))
        return result;
    const int w = r.s32(at + 4), doubledHeight = r.s32(at + 8);
    const int bits = r.u16(at + 14);
    if (w <= 0 || w > 256 || doubledHeight <= 0 || doubledHeight % 2 || doubledHeight / 2 > 256
        || r.u32(at + 16) != kBiRgb)
        return result;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return result;
    const int h = doubledHeight / 2;
    const int paletteEntries = bits <= 8 ? (r.u32(at + 32) ? int(qMin<quint32>(r.u32(at + 32), 1u << bits)) : 1 << bits) : 0;
    const qint64 palette = at + r.u32(at);
    const qint64 colour = palette + 4 * paletteEntries;
    const qint64 colourRow = RowBytes(w, bits), maskRow = RowBytes(w, 1);
    const qint64 mask = colour + colourRow * h;
    if (!r.has(colour, colourRow * h + maskRow * h))
        return result;

    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        const qint64 c = colour + colourRow * (h - 1 - y);
        const qint64 m = mask + maskRow * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            QRgb rgb;
            int alpha = 255;
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                const int index = (r.u8(c + x / perByte) >> shift) & ((1 << bits) - 1);
                const qint64 e = palette + 4 * qMin(index, paletteEntries - 1);
                rgb = qRgb(r.u8(e + 2), r.u8(e + 1), r.u8(e));
            } else {
                const qint64 e = c + x * (bits / 8);
                rgb = qRgb(r.u8(e + 2), r.u8(e + 1), r.u8(e));
                if (bits == 32)
                    alpha = r.u8(e + 3);
            }
            if (r.u8(m + x / 8) & (0x80 >> (x % 8)))
                alpha = 0;
            image.setPixel(x, y, alpha ? qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), alpha) : 0);
        }
    }
    result.valid = true;
    result.image = image;
    result.hotSpot = QPoint(qMin(hotX, w - 1), qMin(hotY, h - 1));
    result.bitCount = bits;
    return result;
}

} // namespace AssetFormats
