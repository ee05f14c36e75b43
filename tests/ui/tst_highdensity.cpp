// The picture controls and the main window on a screen of device pixel
// ratio 2: they paint the twins drawn at twice the size, and every size,
// place and click area stays what it is at ratio 1.

#include "casting/LineDrawing.h"
#include "support/MainWindowFixture.h"
#include "ui/AnimatedImage.h"
#include "ui/AssetCatalogue.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/KxCollapsePanel.h"
#include "ui/LogoF.h"
#include "ui/PictureBox.h"
#include "ui/TileImage.h"
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <memory>

class TestHighDensity : public QObject {
    Q_OBJECT
private slots:
    void controlsPaintTheTwinInTheirOwnSize_data();
    void controlsPaintTheTwinInTheirOwnSize();
    void castLinesKeepTheirPlacesAndClickBands();
    void trigramAreasAndMarksKeepTheirPlaces();
};

enum Control { Table, Paper, Coin, Button, Logo };

void TestHighDensity::controlsPaintTheTwinInTheirOwnSize_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("frame");
    QTest::newRow("table of oak, tiled") << int(Table) << "Stul1" << 0;
    QTest::newRow("table of ash, tiled") << int(Table) << "Stul4" << 0;
    QTest::newRow("panel leather, tiled") << int(Table) << "PanelPozadi" << 0;
    QTest::newRow("golden paper") << int(Paper) << "Papir1" << 0;
    QTest::newRow("silver Wen circle") << int(Paper) << "Wen2" << 0;
    QTest::newRow("timed silver coin, frame 6") << int(Coin) << "Mince" << 6;
    QTest::newRow("hand gold coin, frame 3") << int(Coin) << "MinceKxZ" << 3;
    QTest::newRow("nuclear hexagram button") << int(Button) << "TlJadro" << 0;
    QTest::newRow("notes button") << int(Button) << "TlPoznamky" << 0;
    QTest::newRow("logo window") << int(Logo) << "Logo" << 0;
}

void TestHighDensity::controlsPaintTheTwinInTheirOwnSize()
{
    QFETCH(int, control);
    QFETCH(QString, name);
    QFETCH(int, frame);
    const QImage single = Assets::Picture(name);
    const QSize size = Assets::CataloguedSize(name);
    std::unique_ptr<QWidget> window;
    QWidget *shows = nullptr; // the control whose pixels are compared
    QSize logical = size;     // its size
    QPoint at;                // where the picture's top-left lies in it, in screen pixels
    QRect part(QPoint(0, 0), 2 * size); // of the twin, shown from there on (tiled for the table)
    if (control == Table) {
        auto tile = new TTileImage;
        tile->setPicture(single);
        logical = size + QSize(150, 90); // wraps both ways
        tile->resize(logical);
        window.reset(shows = tile);
    } else if (control == Paper) {
        auto box = new TPictureBox;
        box->setPicture(single);
        window.reset(shows = box);
    } else if (control == Coin) {
        auto coin = new TAnimatedImage;
        coin->setGlyph(single);
        coin->setNumGlyphs(name.contains(u"Kx") ? 7 : 12);
        coin->setGlyphNum(frame);
        QCOMPARE(coin->frameRect(frame), QRect(65 * frame, 0, 65, 67));
        logical = QSize(65, 67);
        part = QRect(130 * frame, 0, 130, 134);
        window.reset(shows = coin);
    } else if (control == Button) {
        auto button = new TExplorerButton;
        button->setBitmap(single);
        logical = QSize(27, 27);
        button->resize(logical);
        at = QPoint(2, 2); // the 25 x 25 glyph is centred one pixel in
        window.reset(shows = button);
    } else {
        auto logo = new TForm7;
        shows = logo->Image1;
        window.reset(logo);
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(shows->devicePixelRatioF(), 2.0);
    QCOMPARE(shows->size(), logical);
    const QImage shown = shows->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), 2 * logical);

    // Pixel for pixel the twin, but where the key colour lets the table through.
    const QImage twin = Assets::Picture(Assets::DoubleSizeName(name)).convertToFormat(QImage::Format_RGB32);
    const QRgb key = twin.pixel(0, twin.height() - 1);
    const bool keyed = control == Coin || control == Button;
    int wrong = 0;
    for (int y = at.y(); y < shown.height(); ++y)
        for (int x = at.x(); x < shown.width(); ++x) {
            int px = x - at.x(), py = y - at.y();
            if (control == Table)
                px %= part.width(), py %= part.height();
            else if (px >= part.width() || py >= part.height())
                continue;
            const QRgb want = twin.pixel(part.x() + px, part.y() + py);
            wrong += !(keyed && want == key) && shown.pixel(x, y) != want;
        }
    QCOMPARE(wrong, 0);
}

namespace {
// The middle of line k's click band on the panel paper, in the control's pixels.
QPoint LinePoint(const TForm1 &w, int k)
{
    return QPoint(w.Image4->width() / 2 - 10, LineGeometry::LineY(w.Image4->height(), k));
}
} // namespace

void TestHighDensity::castLinesKeepTheirPlacesAndClickBands()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QCOMPARE(w.devicePixelRatioF(), 2.0);
    // Sizes and places as the window has them at ratio 1.
    QCOMPARE(w.Image2->size(), QSize(105, 161));
    QCOMPARE(w.Image3->size(), QSize(345, 305));
    for (TAnimatedImage *coin : w.AnimatedImage)
        QCOMPARE(coin->size(), QSize(65, 67));
    QCOMPARE(w.KxCollapsePanel1->geometry(), QRect(336, 248, 105 + 89 + 18 + 19, 161 + 50));

    f.throwCast(QStringLiteral("967878"));
    const QImage paper = w.Image2->picture();
    QCOMPARE(paper.size(), QSize(210, 322));
    QCOMPARE(paper.devicePixelRatio(), 2.0);
    for (int k = 1; k <= 6; ++k) {
        const int y = LineGeometry::LineY(161, k);
        // Ink on the line where it lies at ratio 1, paper just beside it.
        QVERIFY2(qGray(paper.pixel(2 * 31, 2 * y)) < 80, qPrintable(QStringLiteral("line %1").arg(k)));
        QVERIFY2(qGray(paper.pixel(2 * 31, 2 * (y + 6))) > 120, qPrintable(QStringLiteral("line %1").arg(k)));
    }

    // The panel's click bands are where the lines are, in the control's pixels.
    QCOMPARE(w.Image4->size(), QSize(105, 161));
    w.Image4MouseMove(LinePoint(w, 2));
    QCOMPARE(Cursors::Of(w.Image4), int(crSipka));
    w.Image4MouseMove(LinePoint(w, 3));
    QCOMPARE(Cursors::Of(w.Image4), int(crSipkaZ));
    QTest::mouseClick(w.Image4, Qt::LeftButton, {}, LinePoint(w, 2));
    QVERIFY(f.state.panel.panelMarks[1]);
    const QColor marked = w.Image4->picture().pixelColor(2 * (105 / 3), 2 * LinePoint(w, 2).y());
    QVERIFY2(marked.red() > 200 && marked.green() < 60, qPrintable(marked.name()));
}

void TestHighDensity::trigramAreasAndMarksKeepTheirPlaces()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.FuSi1->trigger();
    const QImage clean = w.Image3->picture();
    QCOMPARE(clean.size(), QSize(690, 610));
    QTest::mouseClick(w.PaintBox[4], Qt::LeftButton); // Earth below: three broken marks
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(int(f.state.lines.readingLines[i]), 6);
    const QImage picked = w.Image3->picture();
    const int y = int(305 * 0.58689);
    QCOMPARE(qGray(picked.pixel(2 * int(345 * 0.47), 2 * y)), 0);     // left half of a yin mark
    QCOMPARE(picked.pixel(2 * (345 / 2), 2 * y), clean.pixel(2 * (345 / 2), 2 * y)); // its gap
    QTest::mouseClick(w.PaintBox[0], Qt::LeftButton); // Heaven above: whole marks
    QCOMPARE(qGray(w.Image3->picture().pixel(2 * (345 / 2), 2 * int(305 * 0.49181))), 0);
    for (int i = 4; i <= 6; ++i)
        QCOMPARE(int(f.state.lines.readingLines[i]), 9);
}

int main(int argc, char *argv[])
{
    // Every window of this test is on a screen of device pixel ratio 2.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDensity test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdensity.moc"
