// Lines drawn on a paper of the real size, read back at the pixels their
// geometry gives.

#include "casting/LineDrawing.h"
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {
constexpr int W = 105, H = 161; // the paper

QImage Paper()
{
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool Ink(const QImage &img, int x, int y) { return qGray(img.pixel(x, y)) < 60; }
} // namespace

class TestLineDrawing : public QObject {
    Q_OBJECT
private slots:
    void heightsAndWiderTrigramGap();
    void lineShapes_data();
    void lineShapes();
    void circleBoxFollowsClientWidth();
    void changingLineBands();
    void trigramMarks();
};

void TestLineDrawing::heightsAndWiderTrigramGap()
{
    const int ys[6] = {120, 105, 90, 70, 55, 40};
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(LineGeometry::LineY(H, k), ys[k - 1]);
    QCOMPARE(LineGeometry::PenWidth(H), 7);
    QImage img = Paper();
    for (int k = 1; k <= 6; ++k)
        DrawLine(img, k, 7, 1000);
    for (int k = 1; k <= 6; ++k) {
        QVERIFY(Ink(img, 52, ys[k - 1]));
        QVERIFY(Ink(img, 52, ys[k - 1] - 3) && Ink(img, 52, ys[k - 1] + 3)); // pen 7 wide
    }
    QVERIFY(!Ink(img, 52, 98) && !Ink(img, 52, 80) && !Ink(img, 52, 62)); // gaps stay clear
}

void TestLineDrawing::lineShapes_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("middle");   // ink in the middle of the line
    QTest::addColumn<bool>("crossArm"); // ink on the cross's arm above the line
    QTest::addColumn<bool>("ringTop");  // ink at the top of the circle
    QTest::newRow("6") << 6 << true << true << false;
    QTest::newRow("7") << 7 << true << false << false;
    QTest::newRow("8") << 8 << false << false << false;
    QTest::newRow("9") << 9 << true << false << true;
}

void TestLineDrawing::lineShapes()
{
    QFETCH(int, value);
    QFETCH(bool, middle);
    QFETCH(bool, crossArm);
    QFETCH(bool, ringTop);
    QImage img = Paper();
    DrawLine(img, 4, LineValue(value), 1000);
    const int y = 70;
    QVERIFY(Ink(img, 31, y) && Ink(img, 74, y)); // the ends of every line
    QVERIFY(!Ink(img, 28, y) && !Ink(img, 77, y));
    QCOMPARE(Ink(img, 52, y), middle);
    QCOMPARE(Ink(img, 45, y - 7), crossArm);
    QCOMPARE(Ink(img, 52, y - 7), ringTop);
}

void TestLineDrawing::circleBoxFollowsClientWidth()
{
    QImage wide = Paper(), narrow = Paper();
    DrawLine(wide, 4, 9, 701);
    DrawLine(narrow, 4, 9, 700);
    const int y = 70;
    // Narrow windows draw the circle lower and taller: its bottom reaches y + 9.
    QVERIFY(Ink(narrow, 52, y + 9));
    QVERIFY(!Ink(wide, 52, y + 9));
    QVERIFY(wide != narrow);
}

void TestLineDrawing::changingLineBands()
{
    const QRect six = LineGeometry::ChangingLineBand(W, H, 1, 6);
    QCOMPARE(six.left(), 30);
    QCOMPARE(six.right(), 75);
    QCOMPARE(six.top(), 120 - 7);
    QCOMPARE(six.bottom(), 120 + 7);
    const QRect nine = LineGeometry::ChangingLineBand(W, H, 1, 9);
    QCOMPARE(nine.top(), 120 - 3); // the circle's thin pen: a narrower band
}

void TestLineDrawing::trigramMarks()
{
    QImage pic(345, 305, QImage::Format_RGB32);
    pic.fill(Qt::white);
    TrigramMarks::DrawTrigram(pic, TrigramMarks::LowerBase(305), true, false, true); // Fire
    const int base = 179, step = 8;
    QCOMPARE(TrigramMarks::LowerBase(305), base);
    QVERIFY(Ink(pic, 172, base));            // yang bottom
    QVERIFY(!Ink(pic, 172, base - step));    // yin middle: its gap
    QVERIFY(Ink(pic, 163, base - step));
    QVERIFY(Ink(pic, 172, base - 2 * step)); // yang top
}

QTEST_APPLESS_MAIN(TestLineDrawing)
#include "tst_linedrawing.moc"
