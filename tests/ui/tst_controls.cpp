// The picture controls: the animated coin image, the tiled table, the
// explorer buttons, and the wave player and web launcher over their seams.

#include "support/FakePlatform.h"
#include "ui/AnimatedImage.h"
#include "ui/AssetCatalogue.h"
#include "ui/ExplorerButton.h"
#include "ui/GoToWeb.h"
#include "ui/SRWavePlayer.h"
#include "ui/TileImage.h"
#include <QPainter>
#include <QSignalSpy>
#include <QElapsedTimer>
#include <QTest>

namespace {

// A strip whose frame k is filled with grey level 10 * (k + 1); the bottom-left pixel is the key.
QImage Strip(int frames, int frameWidth, int height)
{
    QImage strip(frames * frameWidth, height, QImage::Format_RGB32);
    for (int k = 0; k < frames; ++k)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < frameWidth; ++x)
                strip.setPixel(k * frameWidth + x, y, qRgb(10 * (k + 1), 10 * (k + 1), 10 * (k + 1)));
    strip.setPixel(0, height - 1, qRgb(255, 0, 255));
    return strip;
}

// A picture whose every pixel tells where it is.
QImage Numbered(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x, y, 100));
    return img;
}

QImage Render(const TTileImage &tile)
{
    QImage out(tile.size(), QImage::Format_RGB32);
    out.fill(qRgb(1, 2, 3));
    QPainter p(&out);
    tile.paintTo(p);
    return out;
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void glyphSetsFrameCountFromItsShape_data();
    void glyphSetsFrameCountFromItsShape();
    void timedStripFrameSixSpans390To454();
    void glyphNumIgnoresOutOfRangeValues_data();
    void glyphNumIgnoresOutOfRangeValues();
    void keyColourIsTransparent();
    void activeAdvancesAndWrapsWhileVisible();
    void clearingActiveKeepsTheFrame();
    void hiddenCoinDoesNotTurn();
    void tilesFromTopLeftAndClips();
    void largerPictureIsDrawnOnceAndClipped();
    void untiledPictureIsDrawnOnce();
    void noPictureDrawsNothing();
    void explorerButtonStates();
    void explorerButtonGlyphKeyAndMono();
    void wavePlayerPlaysThroughTheSoundSeam();
    void goToWebOpensItsUrl();
};

void TestControls::glyphSetsFrameCountFromItsShape_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("frames");
    QTest::newRow("ten square frames") << QSize(670, 67) << 10;
    QTest::newRow("timed coin strip") << QSize(780, 67) << 1;
    QTest::newRow("hand coin strip") << QSize(455, 67) << 1;
    QTest::newRow("one square") << QSize(67, 67) << 1;
}

void TestControls::glyphSetsFrameCountFromItsShape()
{
    QFETCH(QSize, size);
    QFETCH(int, frames);
    TAnimatedImage coin;
    coin.setNumGlyphs(5);
    QImage strip(size, QImage::Format_RGB32);
    strip.fill(Qt::gray);
    coin.setGlyph(strip);
    QCOMPARE(coin.NumGlyphs(), frames);
    QCOMPARE(coin.GlyphNum(), 0);
}

void TestControls::timedStripFrameSixSpans390To454()
{
    TAnimatedImage coin;
    coin.setGlyph(Assets::Picture(QStringLiteral("Mince")));
    coin.setNumGlyphs(12);
    QCOMPARE(coin.frameRect(6), QRect(QPoint(390, 0), QPoint(454, 66)));
    // The control takes the size of one frame and draws frame 6 from that part of the strip.
    QCOMPARE(coin.size(), QSize(65, 67));
    coin.setGlyphNum(6);
    const QImage strip = Assets::Picture(QStringLiteral("Mince"));
    const QImage shown = coin.currentFrame();
    QCOMPARE(shown.size(), QSize(65, 67));
    QCOMPARE(shown.pixel(32, 20), strip.pixel(390 + 32, 20));
    coin.setGlyph(Assets::Picture(QStringLiteral("MinceKx")));
    coin.setNumGlyphs(7);
    QCOMPARE(coin.frameRect(6), QRect(390, 0, 65, 67));
}

void TestControls::glyphNumIgnoresOutOfRangeValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");
    QTest::newRow("negative") << -1 << 3;
    QTest::newRow("NumGlyphs") << 12 << 3;
    QTest::newRow("far past") << 99 << 3;
    QTest::newRow("last") << 11 << 11;
    QTest::newRow("first") << 0 << 0;
}

void TestControls::glyphNumIgnoresOutOfRangeValues()
{
    QFETCH(int, value);
    QFETCH(int, shown);
    TAnimatedImage coin;
    coin.setGlyph(Strip(12, 65, 67));
    coin.setNumGlyphs(12);
    coin.setGlyphNum(3);
    coin.setGlyphNum(value);
    QCOMPARE(coin.GlyphNum(), shown);
    QCOMPARE(qRed(coin.currentFrame().pixel(10, 10)), 10 * (shown + 1));
}

void TestControls::keyColourIsTransparent()
{
    TAnimatedImage coin;
    QImage strip = Strip(2, 65, 67);
    strip.setPixel(70, 5, qRgb(255, 0, 255)); // the key colour inside frame 1
    coin.setGlyph(strip);
    coin.setNumGlyphs(2);
    coin.setGlyphNum(1);
    QCOMPARE(qAlpha(coin.currentFrame().pixel(5, 5)), 0);
    QCOMPARE(qAlpha(coin.currentFrame().pixel(6, 5)), 255);
}

void TestControls::activeAdvancesAndWrapsWhileVisible()
{
    QWidget window;
    auto *coin = new TAnimatedImage(&window);
    coin->setGlyph(Strip(3, 10, 10));
    coin->setNumGlyphs(3);
    QCOMPARE(coin->Interval(), 100);
    // Ticks far apart and short looks between them, so no frame goes unseen
    // even on a loaded machine.
    coin->setInterval(40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QList<int> seen;
    coin->setActive(true);
    QVERIFY(coin->Active());
    QElapsedTimer clock;
    clock.start();
    while (seen.size() < 6 && clock.elapsed() < 10000) {
        if (seen.isEmpty() || seen.last() != coin->GlyphNum())
            seen << coin->GlyphNum();
        QTest::qWait(2);
    }
    QVERIFY(seen.size() >= 6);
    // Up by one each tick, from the last frame back to 0.
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY(seen[i] == (seen[i - 1] + 1) % 3 || seen[i] == (seen[i - 1] + 2) % 3);
    QVERIFY(seen.contains(0) && seen.contains(2));
}

void TestControls::clearingActiveKeepsTheFrame()
{
    QWidget window;
    auto *coin = new TAnimatedImage(&window);
    coin->setGlyph(Strip(12, 10, 10));
    coin->setNumGlyphs(12);
    coin->setInterval(5);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    coin->setActive(true);
    QTRY_VERIFY(coin->GlyphNum() != 0);
    coin->setActive(false);
    const int frame = coin->GlyphNum();
    QTest::qWait(60);
    QCOMPARE(coin->GlyphNum(), frame);
}

void TestControls::hiddenCoinDoesNotTurn()
{
    QWidget window;
    auto *coin = new TAnimatedImage(&window);
    coin->setGlyph(Strip(12, 10, 10));
    coin->setNumGlyphs(12);
    coin->setInterval(5);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    coin->hide();
    coin->setActive(true);
    QTest::qWait(60);
    QCOMPARE(coin->GlyphNum(), 0);
    coin->show();
    QTRY_VERIFY(coin->GlyphNum() != 0);
}

void TestControls::tilesFromTopLeftAndClips()
{
    TTileImage tile;
    tile.resize(250, 130);
    tile.setTileImage(true);
    tile.setPicture(Numbered(100, 50));
    const QImage out = Render(tile);
    QCOMPARE(out.pixel(0, 0), qRgb(0, 0, 100));
    QCOMPARE(out.pixel(100, 0), qRgb(0, 0, 100));
    QCOMPARE(out.pixel(150, 60), qRgb(50, 10, 100));
    QCOMPARE(out.pixel(99, 49), qRgb(99, 49, 100));
    // The last row and column are the clipped starts of the picture.
    QCOMPARE(out.pixel(249, 129), qRgb(49, 29, 100));
    QCOMPARE(out.pixel(200, 100), qRgb(0, 0, 100));
}

void TestControls::largerPictureIsDrawnOnceAndClipped()
{
    TTileImage tile;
    tile.resize(50, 40);
    tile.setPicture(Numbered(100, 80));
    const QImage out = Render(tile);
    QCOMPARE(out.size(), QSize(50, 40));
    QCOMPARE(out.pixel(49, 39), qRgb(49, 39, 100));
    QCOMPARE(out.pixel(0, 0), qRgb(0, 0, 100));
}

void TestControls::untiledPictureIsDrawnOnce()
{
    TTileImage tile;
    tile.resize(250, 130);
    tile.setTileImage(false);
    tile.setPicture(Numbered(100, 50));
    const QImage out = Render(tile);
    QCOMPARE(out.pixel(99, 49), qRgb(99, 49, 100));
    QCOMPARE(out.pixel(100, 0), qRgb(1, 2, 3));
    QCOMPARE(out.pixel(0, 50), qRgb(1, 2, 3));
}

void TestControls::noPictureDrawsNothing()
{
    TTileImage tile;
    tile.resize(40, 40);
    const QImage out = Render(tile);
    QCOMPARE(out.pixel(20, 20), qRgb(1, 2, 3));
}

void TestControls::explorerButtonStates()
{
    QWidget window;
    auto *button = new TExplorerButton(&window);
    button->setGeometry(10, 10, 89, 41);
    button->setText(QStringLiteral("Vývojový hexagram"));
    button->FontColor = QColor(255, 255, 0);
    button->UnselectedFontColor = QColor(200, 200, 200);
    button->DisabledFontColor = QColor(90, 90, 90);
    button->setOptions(TExplorerButton::boShowBevel);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(button, &QAbstractButton::clicked);

    QCOMPARE(button->look(), TExplorerButton::Look::Flat);
    QCOMPARE(button->captionColour(), QColor(200, 200, 200));
    QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
    QApplication::sendEvent(button, &enter);
    QCOMPARE(button->look(), TExplorerButton::Look::Raised);
    QCOMPARE(button->captionColour(), QColor(255, 255, 0));
    button->setDown(true);
    QCOMPARE(button->look(), TExplorerButton::Look::Sunken);
    button->setDown(false);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);

    button->setEnabled(false);
    QCOMPARE(button->captionColour(), QColor(90, 90, 90));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);

    // Without Flat the frame is always there.
    button->setEnabled(true);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    QCOMPARE(button->look(), TExplorerButton::Look::Flat);
    button->setFlat(false);
    QCOMPARE(button->look(), TExplorerButton::Look::Raised);
}

void TestControls::explorerButtonGlyphKeyAndMono()
{
    TExplorerButton button;
    const QImage glyph = Assets::Picture(QStringLiteral("TlOtocene"));
    button.setBitmap(glyph);
    const QRgb key = glyph.pixel(0, 24);
    QImage shown = button.glyphAsDrawn();
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 25; ++x)
            QCOMPARE(qAlpha(shown.pixel(x, y)) == 0, glyph.pixel(x, y) == key);
    // Mono display: the glyph's ink all in one colour while the mouse is away.
    button.setOptions(TExplorerButton::boMonoDisplay);
    shown = button.glyphAsDrawn();
    QSet<QRgb> inks;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 25; ++x)
            if (qAlpha(shown.pixel(x, y)) > 0 && qRed(shown.pixel(x, y)) != 255)
                inks << shown.pixel(x, y);
    QCOMPARE(inks.size(), 1);
}

void TestControls::wavePlayerPlaysThroughTheSoundSeam()
{
    FakeSound sound;
    TSRWavePlayer player(sound);
    QVERIFY(!player.Play());
    QVERIFY(sound.played.isEmpty());
    player.WaveName = QStringLiteral("Hrom");
    QVERIFY(player.Play());
    player.WaveName = QStringLiteral("Zvonky");
    QVERIFY(player.Play());
    QCOMPARE(sound.played, QStringList({QStringLiteral("Hrom"), QStringLiteral("Zvonky")}));
    // Every name the menu can choose is an embedded wave.
    for (const QString &name : Assets::WaveNames())
        QVERIFY(!Assets::Wave(name).isEmpty());
}

void TestControls::goToWebOpensItsUrl()
{
    FakeShell shell;
    TGoToWeb web(shell);
    QVERIFY(!web.Execute());
    web.Url = QStringLiteral("http://localhost/zendra/napoveda/");
    QVERIFY(web.Execute());
    QCOMPARE(shell.opened, QStringList(web.Url));
    shell.succeed = false;
    QVERIFY(!web.Execute());
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
