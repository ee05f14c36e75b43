#include "print/PrintLayout.h"
#include <QTest>

class TestPrintLayout : public QObject {
    Q_OBJECT
private slots:
    void millimetres();
    void pagesFillFromTheTopMargin();
    void bottomMarginKeepsOneLine();
    void previewFollowsMargins();
    void wideTinyPreviewEnds();
};

void TestPrintLayout::millimetres()
{
    QCOMPARE(MmToPixels(20, 600), 472); // 472.44
    QCOMPARE(MmToPixels(25, 1200), 1181);
    QCOMPARE(MmToPixels(0, 600), 0);
}

void TestPrintLayout::pagesFillFromTheTopMargin()
{
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << QString::number(i);
    // Page 100 high, top 10, bottom 20, lines 25 high: lines at 10, 35, 60; 85 >= 80 breaks.
    const QList<PrintedLine> placed = LayOutPages(lines, 7, 10, 20, 100, 25);
    QCOMPARE(placed.size(), 10);
    QCOMPARE(placed[0].y, 10);
    QCOMPARE(placed[0].x, 7);
    QCOMPARE(placed[2].y, 60);
    QCOMPARE(placed[2].page, 0);
    QCOMPARE(placed[3].page, 1);
    QCOMPARE(placed[3].y, 10);
    QVERIFY(LayOutPages({}, 0, 0, 0, 100, 10).isEmpty());
    // Margins of 0: the first line at the top-left corner.
    QCOMPARE(LayOutPages({QStringLiteral("a")}, 0, 0, 0, 100, 10).first().y, 0);
}

void TestPrintLayout::bottomMarginKeepsOneLine()
{
    QStringList lines(20, QStringLiteral("x"));
    // Bottom 0 becomes one line height plus one: 100 - 11 = 89; lines at 0..80, then a new page.
    const QList<PrintedLine> placed = LayOutPages(lines, 0, 0, 0, 100, 10);
    QCOMPARE(placed[8].page, 0);
    QCOMPARE(placed[8].y, 80);
    QCOMPARE(placed[9].page, 1);
}

void TestPrintLayout::previewFollowsMargins()
{
    const QSize a4(4960, 7016); // at 600 dpi
    const PreviewLines small = PreviewLayout(167, a4, 600, 600, PageMargins{20, 20, 25, 15});
    QCOMPARE(small.height, 236);
    QCOMPARE(small.penWidth, 3);
    QCOMPARE(small.left, 15);
    QVERIFY(!small.ys.isEmpty());
    const PreviewLines big = PreviewLayout(167, a4, 600, 600, PageMargins{20, 20, 100, 100});
    QVERIFY(big.ys.size() < small.ys.size());
    for (int i = 1; i < small.ys.size(); ++i)
        QCOMPARE(small.ys[i] - small.ys[i - 1], 6);
}

void TestPrintLayout::wideTinyPreviewEnds()
{
    const PreviewLines p = PreviewLayout(167, QSize(10000, 100), 600, 600, PageMargins{0, 0, 0, 0});
    QCOMPARE(p.penWidth, 0);
    QVERIFY(!p.ys.isEmpty() && p.ys.size() < 100);
}

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
