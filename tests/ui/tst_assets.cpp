// The embedded pictures, sounds and cursors: present under their names in
// any letter case, in the formats and sizes the program relies on, and
// drawn so that they work: woods that tile, coins that turn, trigrams where
// the click areas are, a clear centre for the marks. Each picture a control
// paints has a twin for high-density screens: the same picture drawn finer,
// at twice the size, in the same format and key colour.

#include "casting/Hexagram.h"
#include "data/assets-generator/TrigramCircleLayout.h"
#include "ui/AssetCatalogue.h"
#include "ui/AssetFormats.h"
#include <QDir>
#include <QFile>
#include <QRect>
#include <QTest>
#include <cmath>

using namespace AssetFormats;

namespace {

QByteArray Bytes(const QString &name, const QString &suffix)
{
    QFile f(Assets::PathOf(name, suffix));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int Luma(QRgb c) { return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100; }

double ColumnDifference(const QImage &img, int x1, int x2)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        sum += std::abs(Luma(img.pixel(x1, y)) - Luma(img.pixel(x2, y)));
    return sum / img.height();
}

double RowDifference(const QImage &img, int y1, int y2)
{
    double sum = 0;
    for (int x = 0; x < img.width(); ++x)
        sum += std::abs(Luma(img.pixel(x, y1)) - Luma(img.pixel(x, y2)));
    return sum / img.width();
}

// The pictures the controls paint, each with a twin at twice the size.
const char *const kPaintedPictures[] = {
    "Stul1", "Stul2", "Stul3", "Stul4", "Papir1", "Papir2", "FuSi1", "FuSi2", "Wen1", "Wen2", "Mince", "MinceZ",
    "MinceKx", "MinceKxZ", "Disketa", "Logo", "PanelPozadi", "TlJadro", "TlOpacne", "TlOtocene", "TlPoznamky",
    "TlVyvoj", "TlZCar"};

using Channel = int (*)(QRgb);
const Channel kChannels[] = {qRed, qGreen, qBlue};

// The horizontal extent of the non-key pixels of one strip frame.
QRect Silhouette(const QImage &strip, int frame, int frameWidth)
{
    const QRgb key = strip.pixel(0, strip.height() - 1);
    QRect box;
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < frameWidth; ++x)
            if (strip.pixel(frame * frameWidth + x, y) != key)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT
private slots:
    void picturesAreUncompressedBitmapsOfTheirSize_data();
    void picturesAreUncompressedBitmapsOfTheirSize();
    void twinsAreThePictureAtTwiceTheSize_data();
    void twinsAreThePictureAtTwiceTheSize();
    void lookupIgnoresLetterCase();
    void unheldPicturesAreReleased();
    void everyEmbeddedFileIsCatalogued();
    void wavesArePcmMono8Bit22050OfTheirLength_data();
    void wavesArePcmMono8Bit22050OfTheirLength();
    void cursorsHaveTheirDepthAndHotSpot_data();
    void cursorsHaveTheirDepthAndHotSpot();
    void woodsTileWithoutSeams_data();
    void woodsTileWithoutSeams();
    void woodsAndPapersDiffer();
    void coinStripsTurn_data();
    void coinStripsTurn();
    void trigramPicturesFollowTheTable_data();
    void trigramPicturesFollowTheTable();
    void trigramsLieUnderTheirClickAreas();
    void glyphsAreKeyed();
    void readersRejectDamagedFiles();
};

void TestAssets::picturesAreUncompressedBitmapsOfTheirSize_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : Assets::PictureNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestAssets::picturesAreUncompressedBitmapsOfTheirSize()
{
    QFETCH(QString, name);
    const QByteArray bytes = Bytes(name, QStringLiteral(".bmp"));
    QVERIFY2(!bytes.isEmpty(), "not embedded");
    const BmpInfo info = ReadBmpInfo(bytes);
    QVERIFY(info.valid);
    QCOMPARE(QSize(info.width, info.height), Assets::CataloguedSize(name));
    QCOMPARE(info.compression, kBiRgb);
    const bool sixteenColours = name == u"Disketa" || name == u"MAINICON";
    QCOMPARE(info.bitCount, sixteenColours ? 4 : 24);
    if (sixteenColours)
        QCOMPARE(info.paletteEntries, 16);
    // The header bytes themselves, as another reader would see them.
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(quint8(bytes.at(28)), quint8(info.bitCount));
    QCOMPARE(quint8(bytes.at(30)), quint8(0));
    const QImage image = Assets::Picture(name);
    QCOMPARE(image.size(), Assets::CataloguedSize(name));
}

void TestAssets::twinsAreThePictureAtTwiceTheSize_data()
{
    QTest::addColumn<QString>("name");
    // Mean difference per channel between the twin reduced by 2 x 2 averages
    // and the picture, where neither shows the transparent key; the diskette
    // is pixel art drawn anew.
    QTest::addColumn<double>("alike");
    for (const char *name : kPaintedPictures)
        QTest::newRow(name) << QString::fromLatin1(name) << (QLatin1String(name) == "Disketa" ? 15.0 : 4.0);
}

void TestAssets::twinsAreThePictureAtTwiceTheSize()
{
    QFETCH(QString, name);
    QFETCH(double, alike);
    const BmpInfo single = ReadBmpInfo(Bytes(name, QStringLiteral(".bmp")));
    const BmpInfo twin = ReadBmpInfo(Bytes(Assets::DoubleSizeName(name), QStringLiteral(".bmp")));
    QVERIFY2(twin.valid, "no twin embedded");
    QCOMPARE(QSize(twin.width, twin.height), 2 * QSize(single.width, single.height));
    QCOMPARE(twin.compression, kBiRgb);
    QCOMPARE(twin.bitCount, single.bitCount);
    QCOMPARE(twin.paletteEntries, single.paletteEntries);

    // For a dense screen the catalogue hands out the twin, marked to cover
    // the same logical pixels; for an ordinary one, the picture.
    const QImage picture = Assets::Picture(name);
    for (const qreal ratio : {1.5, 2.0, 3.0}) {
        const QImage dense = Assets::Picture(name.toUpper(), ratio);
        QCOMPARE(dense.size(), 2 * Assets::CataloguedSize(name));
        QCOMPARE(dense.deviceIndependentSize().toSize(), Assets::CataloguedSize(name));
        QCOMPARE(Assets::ForDevicePixelRatio(picture, ratio), dense);
    }
    QCOMPARE(Assets::Picture(name, 1.0), picture);

    // The same picture, drawn finer rather than enlarged (an enlargement is
    // all blocks of one colour), keyed by the same colour.
    const QImage a = picture.convertToFormat(QImage::Format_RGB32);
    const QImage b = Assets::Picture(name, 2.0).convertToFormat(QImage::Format_RGB32);
    const QRgb key = a.pixel(0, a.height() - 1);
    const bool keyed = name.startsWith(u"Mince") || name.startsWith(u"Tl");
    if (keyed)
        QCOMPARE(b.pixel(0, b.height() - 1), key);
    double difference = 0;
    int compared = 0, flat = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb c = a.pixel(x, y);
            const QRgb q[4] = {b.pixel(2 * x, 2 * y), b.pixel(2 * x + 1, 2 * y), b.pixel(2 * x, 2 * y + 1),
                               b.pixel(2 * x + 1, 2 * y + 1)};
            flat += q[0] == q[1] && q[0] == q[2] && q[0] == q[3];
            if (keyed && (c == key || q[0] == key || q[1] == key || q[2] == key || q[3] == key))
                continue;
            for (Channel channel : kChannels)
                difference += std::abs((channel(q[0]) + channel(q[1]) + channel(q[2]) + channel(q[3])) / 4.0 - channel(c));
            ++compared;
        }
    QVERIFY(compared > a.width() * a.height() / 10);
    QVERIFY2(difference / (3.0 * compared) < alike, qPrintable(QString::number(difference / (3.0 * compared))));
    QVERIFY2(flat < 0.9 * a.width() * a.height(), qPrintable(QStringLiteral("%1 flat blocks").arg(flat)));
}

void TestAssets::lookupIgnoresLetterCase()
{
    const QString path = Assets::PathOf(QStringLiteral("MinceKxZ"), QStringLiteral(".bmp"));
    QVERIFY(!path.isEmpty());
    QCOMPARE(Assets::PathOf(QStringLiteral("mincekxz"), QStringLiteral(".BMP")), path);
    QCOMPARE(Assets::PathOf(QStringLiteral("MINCEKXZ"), QStringLiteral(".bmp")), path);
    QCOMPARE(Assets::Picture(QStringLiteral("mainicon")).size(), QSize(32, 32));
    QVERIFY(!Assets::Wave(QStringLiteral("HROM")).isEmpty());
    QVERIFY(!Assets::CursorFile(QStringLiteral("hotlabel_handcur")).isEmpty());
    QVERIFY(Assets::PathOf(QStringLiteral("Stul5"), QStringLiteral(".bmp")).isEmpty());
}

void TestAssets::unheldPicturesAreReleased()
{
    // Decoded once while anyone holds it; decoded anew once nobody does.
    QImage held = Assets::Picture(QStringLiteral("Papir2"));
    const qint64 heldKey = held.cacheKey();
    const qint64 droppedKey = Assets::Picture(QStringLiteral("Logo")).cacheKey();
    QCOMPARE(Assets::Picture(QStringLiteral("Logo")).cacheKey(), droppedKey);
    Assets::ReleaseUnused();
    QCOMPARE(Assets::Picture(QStringLiteral("papir2")).cacheKey(), heldKey);
    const QImage again = Assets::Picture(QStringLiteral("Logo"));
    QVERIFY(again.cacheKey() != droppedKey);
    QCOMPARE(again.size(), QSize(230, 200));
}

void TestAssets::everyEmbeddedFileIsCatalogued()
{
    QStringList known;
    for (const QString &n : Assets::PictureNames())
        known << n.toLower() + QStringLiteral(".bmp");
    for (const char *n : kPaintedPictures)
        known << Assets::DoubleSizeName(QLatin1String(n)).toLower() + QStringLiteral(".bmp");
    for (const QString &n : Assets::WaveNames())
        known << n.toLower() + QStringLiteral(".wav");
    for (const QString &n : Assets::CursorNames())
        known << n.toLower() + QStringLiteral(".cur");
    const QStringList embedded = QDir(Assets::kResourceFolder).entryList(QDir::Files);
    for (const QString &file : embedded)
        QVERIFY2(known.contains(file.toLower()), qPrintable(file));
    QCOMPARE(embedded.size(), known.size());
}

void TestAssets::wavesArePcmMono8Bit22050OfTheirLength_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("seconds");
    QTest::newRow("Zvonky") << "Zvonky" << 2.83;
    QTest::newRow("Zvonek") << "Zvonek" << 4.39;
    QTest::newRow("Harfa1") << "Harfa1" << 3.33;
    QTest::newRow("Harfa2") << "Harfa2" << 2.61;
    QTest::newRow("Hrom") << "Hrom" << 4.64;
}

void TestAssets::wavesArePcmMono8Bit22050OfTheirLength()
{
    QFETCH(QString, name);
    QFETCH(double, seconds);
    const QByteArray bytes = Assets::Wave(name);
    const WaveInfo info = ReadWaveInfo(bytes);
    QVERIFY(info.valid);
    QCOMPARE(info.format, kWavePcm);
    QCOMPARE(info.channels, 1);
    QCOMPARE(info.bitsPerSample, 8);
    QCOMPARE(info.sampleRate, 22050);
    QVERIFY2(std::abs(info.seconds() - seconds) <= 1.0 / 22050, qPrintable(QString::number(info.seconds())));

    // Loud enough to hear, not clipped, and silent at the end (no click).
    const QByteArray samples = WaveSamples8(bytes);
    int peak = 0, clipped = 0;
    for (char c : samples) {
        const int v = quint8(c);
        peak = qMax(peak, std::abs(v - 128));
        clipped += v == 0 || v == 255;
    }
    QVERIFY(peak > 90);
    QVERIFY(clipped < samples.size() / 1000);
    for (int i = samples.size() - 50; i < samples.size(); ++i)
        QVERIFY(std::abs(quint8(samples.at(i)) - 128) <= 2);
}

void TestAssets::cursorsHaveTheirDepthAndHotSpot_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QPoint>("hotSpot");
    QTest::newRow("Ruka") << "Ruka" << 1 << QPoint(19, 1);
    QTest::newRow("RukaZak") << "RukaZak" << 24 << QPoint(17, 17);
    QTest::newRow("Sipka") << "Sipka" << 24 << QPoint(0, 0);
    QTest::newRow("SipkaZ") << "SipkaZ" << 24 << QPoint(0, 0);
    QTest::newRow("HOTLABEL_HANDCUR") << "HOTLABEL_HANDCUR" << 1 << QPoint(6, 0);
}

void TestAssets::cursorsHaveTheirDepthAndHotSpot()
{
    QFETCH(QString, name);
    QFETCH(int, bits);
    QFETCH(QPoint, hotSpot);
    const QByteArray bytes = Assets::CursorFile(name);
    const CursorImage cursor = DecodeCursor(bytes);
    QVERIFY(cursor.valid);
    QCOMPARE(cursor.image.size(), QSize(32, 32));
    QCOMPARE(cursor.bitCount, bits);
    QCOMPARE(cursor.hotSpot, hotSpot);
    // The hot spot is on the picture, not beside it.
    QCOMPARE(qAlpha(cursor.image.pixel(hotSpot)), 255);
    // The directory entry says the same as the image.
    QCOMPARE(quint8(bytes.at(2)), quint8(2));
    QCOMPARE(quint8(bytes.at(6)), quint8(32));
    const QColor at = cursor.image.pixelColor(hotSpot);
    if (name == u"Sipka")
        QVERIFY(at.red() > 2 * at.green());
    if (name == u"SipkaZ")
        QVERIFY(at.red() == at.green() || std::abs(at.red() - at.blue()) < 10);
}

void TestAssets::woodsTileWithoutSeams_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n : {"Stul1", "Stul2", "Stul3", "Stul4", "PanelPozadi"})
        QTest::newRow(n) << n;
}

void TestAssets::woodsTileWithoutSeams()
{
    QFETCH(QString, name);
    const QImage img = Assets::Picture(name);
    // Across the right edge into the left one, no more change than from column to column inside.
    double inside = 0;
    for (int x = 0; x + 1 < img.width(); ++x)
        inside += ColumnDifference(img, x, x + 1);
    inside /= img.width() - 1;
    const double wrap = ColumnDifference(img, img.width() - 1, 0);
    QVERIFY2(wrap < 2.0 * inside + 1.0, qPrintable(QStringLiteral("%1 vs %2").arg(wrap).arg(inside)));
    // From the bottom row into the top one, no more than the biggest step inside (a plank gap).
    double biggest = 0;
    for (int y = 0; y + 1 < img.height(); ++y)
        biggest = qMax(biggest, RowDifference(img, y, y + 1));
    const double wrapRows = RowDifference(img, img.height() - 1, 0);
    QVERIFY2(wrapRows <= 1.25 * biggest, qPrintable(QStringLiteral("%1 vs %2").arg(wrapRows).arg(biggest)));
}

void TestAssets::woodsAndPapersDiffer()
{
    QList<QColor> means;
    for (int i = 1; i <= 4; ++i) {
        const QImage img = Assets::Picture(QStringLiteral("Stul%1").arg(i));
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < img.height(); y += 3)
            for (int x = 0; x < img.width(); x += 3) {
                const QRgb c = img.pixel(x, y);
                r += qRed(c), g += qGreen(c), b += qBlue(c);
            }
        const double n = std::ceil(img.height() / 3.0) * std::ceil(img.width() / 3.0);
        means << QColor(int(r / n), int(g / n), int(b / n));
    }
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
            const int d = std::abs(means[i].red() - means[j].red()) + std::abs(means[i].green() - means[j].green())
                          + std::abs(means[i].blue() - means[j].blue());
            QVERIFY2(d > 30, qPrintable(QStringLiteral("Stul%1 and Stul%2 look alike").arg(i + 1).arg(j + 1)));
        }
    // Golden paper is warm, silver-grey paper is not.
    const QColor golden = Assets::Picture(QStringLiteral("Papir1")).pixelColor(52, 80);
    const QColor silver = Assets::Picture(QStringLiteral("Papir2")).pixelColor(52, 80);
    QVERIFY(golden.red() - golden.blue() > 50);
    QVERIFY(std::abs(silver.red() - silver.blue()) < 20);
}

void TestAssets::coinStripsTurn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("frames");
    QTest::newRow("Mince") << "Mince" << 12;
    QTest::newRow("MinceZ") << "MinceZ" << 12;
    QTest::newRow("MinceKx") << "MinceKx" << 7;
    QTest::newRow("MinceKxZ") << "MinceKxZ" << 7;
}

void TestAssets::coinStripsTurn()
{
    QFETCH(QString, name);
    QFETCH(int, frames);
    const QImage strip = Assets::Picture(name);
    const int fw = strip.width() / frames;
    QCOMPARE(fw * frames, strip.width());
    QCOMPARE(fw, 65);
    const QRgb key = strip.pixel(0, strip.height() - 1);
    const bool hand = frames == 7;
    QList<int> extent;
    for (int f = 0; f < frames; ++f) {
        const QRect s = Silhouette(strip, f, fw);
        QVERIFY2(!s.isEmpty(), qPrintable(QStringLiteral("frame %1 is empty").arg(f)));
        extent << (hand ? s.height() : s.width());
        // Every corner of every frame shows the table.
        QCOMPARE(strip.pixel(f * fw, 0), key);
        QCOMPARE(strip.pixel(f * fw + fw - 1, strip.height() - 1), key);
    }
    // Face on at frames 0 and 6 (a full round coin, the table seen through its
    // square hole); edge on at frame 3; the turn narrows and widens again.
    for (int f : {0, 6}) {
        QVERIFY(extent[f] >= 58);
        QCOMPARE(strip.pixel(f * fw + 32, 33), key);
        QVERIFY(strip.pixel(f * fw + 32, 33 - 12) != key);
    }
    QVERIFY(extent[3] <= 8);
    for (int f = 0; f < 3; ++f)
        QVERIFY(extent[f] > extent[f + 1]);
    for (int f = 3; f < 6; ++f)
        QVERIFY(extent[f] < extent[f + 1]);
    // The two sides differ.
    QVERIFY(strip.copy(0, 0, fw, strip.height()) != strip.copy(6 * fw, 0, fw, strip.height()));
    if (!hand) {
        // The second half of the turn comes back to frame 0.
        QCOMPARE(extent[9], extent[3]);
        QVERIFY(extent[11] > extent[10]);
    }
}

void TestAssets::trigramPicturesFollowTheTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fuSi");
    QTest::newRow("FuSi1") << "FuSi1" << true;
    QTest::newRow("FuSi2") << "FuSi2" << true;
    QTest::newRow("Wen1") << "Wen1" << false;
    QTest::newRow("Wen2") << "Wen2" << false;
}

void TestAssets::trigramPicturesFollowTheTable()
{
    using namespace TrigramCircleLayout;
    QFETCH(QString, name);
    QFETCH(bool, fuSi);
    const QImage img = Assets::Picture(name);
    const int W = img.width(), H = img.height();
    auto dark = [&](double x, double y) { return Luma(img.pixel(int(x), int(y))) < 110; };
    for (int p = 1; p <= 8; ++p) {
        const TrigramInfo &info = TrigramInfoOf(TrigramAtPosition(p, fuSi));
        const double a = AngleOf(p) * M_PI / 180.0;
        for (int bar = 0; bar < 3; ++bar) {
            const double r = BarRadius(bar);
            const double cx = kCentreX + r * std::sin(a), cy = kCentreY - r * std::cos(a);
            const double end = kBarLength / 2 - 3;
            QVERIFY2(dark(cx + end * std::cos(a), cy + end * std::sin(a)), qPrintable(QString::number(p)));
            QVERIFY(dark(cx - end * std::cos(a), cy - end * std::sin(a)));
            // The middle of a bar is ink for yang, paper for the break of yin.
            QVERIFY2(dark(cx, cy) == info.yang[bar],
                     qPrintable(QStringLiteral("position %1 bar %2").arg(p).arg(bar)));
        }
    }
    // The centre where the picked trigrams are drawn holds nothing dark.
    const int left = int(W * 0.46377) - 6, right = int(W * 0.53624) + 6;
    const int top = int(H * 0.49181) - int(H * 0.05246) - 6, bottom = int(H * 0.58689) + 6;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            QVERIFY2(Luma(img.pixel(x, y)) > 150, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
}

void TestAssets::trigramsLieUnderTheirClickAreas()
{
    using namespace TrigramCircleLayout;
    // The window places its areas relative to the picture; areas 1 and 5 take
    // their tops from the height alone, so they shift with the picture's top.
    const int Wd = 345, Ht = 305;
    auto T = [](double v) { return int(v); };
    for (int top : {0, 6, 12}) {
        const QRect areas[8] = {
            QRect(T(Wd * 0.5) - 20, T(Ht * 72.0 / 305) - top, T(Wd * 41.0 / 345), T(Ht * 33.0 / 305)),
            QRect(T(Wd * 0.5) + 30, T(Ht * 0.5) - 70, T(Wd * 41.0 / 345), T(Ht * 41.0 / 305)),
            QRect(T(Wd * 0.5) + 60, T(Ht * 0.5) - 18, T(Wd * 33.0 / 345), T(Ht * 41.0 / 305)),
            QRect(T(Wd * 0.5) + 30, T(Ht * 0.5) + 33, T(Wd * 41.0 / 345), T(Ht * 49.0 / 305)),
            QRect(T(Wd * 0.5) - 20, T(Ht * 224.0 / 305) - top, T(Wd * 41.0 / 345), T(Ht * 33.0 / 305)),
            QRect(T(Wd * 0.5) - 70, T(Ht * 0.5) + 33, T(Wd * 41.0 / 345), T(Ht * 49.0 / 305)),
            QRect(T(Wd * 0.5) - 90, T(Ht * 0.5) - 18, T(Wd * 33.0 / 345), T(Ht * 41.0 / 305)),
            QRect(T(Wd * 0.5) - 70, T(Ht * 0.5) - 70, T(Wd * 41.0 / 345), T(Ht * 41.0 / 305)),
        };
        for (int p = 1; p <= 8; ++p) {
            const double a = AngleOf(p) * M_PI / 180.0;
            const QPoint centre(int(kCentreX + kRadius * std::sin(a)), int(kCentreY - kRadius * std::cos(a)));
            QVERIFY2(areas[p - 1].contains(centre), qPrintable(QStringLiteral("position %1, top %2").arg(p).arg(top)));
        }
    }
}

void TestAssets::glyphsAreKeyed()
{
    for (const char *n : {"TlJadro", "TlOpacne", "TlOtocene", "TlPoznamky", "TlVyvoj", "TlZCar"}) {
        const QImage g = Assets::Picture(QLatin1String(n));
        const QRgb key = g.pixel(0, g.height() - 1);
        int drawn = 0;
        for (int y = 0; y < g.height(); ++y)
            for (int x = 0; x < g.width(); ++x)
                drawn += g.pixel(x, y) != key;
        QVERIFY2(drawn > 60 && drawn < 25 * 25 - 100, n);
    }
}

void TestAssets::readersRejectDamagedFiles()
{
    const QByteArray bmp = Bytes(QStringLiteral("Papir1"), QStringLiteral(".bmp"));
    QVERIFY(ReadBmpInfo(bmp).valid);
    QVERIFY(!ReadBmpInfo(bmp.left(bmp.size() - 1)).valid);
    QVERIFY(!ReadBmpInfo(bmp.left(20)).valid);
    const QByteArray wav = Assets::Wave(QStringLiteral("Zvonek"));
    QVERIFY(!ReadWaveInfo(wav.left(wav.size() / 2)).valid);
    QVERIFY(!ReadWaveInfo(QByteArray("RIFF\xff\xff\xff\xffWAVE", 12)).valid);
    const QByteArray cur = Assets::CursorFile(QStringLiteral("Ruka"));
    for (int cut : {0, 5, 21, 40, int(cur.size()) - 1})
        QVERIFY(!DecodeCursor(cur.left(cut)).valid);
    QByteArray bad = cur;
    bad[6 + 12] = char(0xF0); // image offset far past the end
    QVERIFY(!DecodeCursor(bad).valid);
    // A round trip of a cursor with its transparent pixels.
    QImage art(32, 32, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    art.setPixelColor(3, 4, QColor(200, 10, 20));
    const CursorImage back = DecodeCursor(EncodeCursor(art, QPoint(3, 4), 24));
    QVERIFY(back.valid);
    QCOMPARE(back.image.pixelColor(3, 4), QColor(200, 10, 20));
    QCOMPARE(qAlpha(back.image.pixel(0, 0)), 0);
}

QTEST_GUILESS_MAIN(TestAssets)
#include "tst_assets.moc"
