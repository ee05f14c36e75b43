// The developing-hexagram panel after real casts.

#include "casting/LineDrawing.h"
#include "support/MainWindowFixture.h"
#include "tools/Zendra12F2.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/KxCollapsePanel.h"
#include "ui/PictureBox.h"
#include <QAction>
#include <QTest>
#include <QToolButton>

namespace {
// The middle of line k's click band on the panel paper.
QPoint LinePoint(const TForm1 &w, int k)
{
    return QPoint(w.Image4->width() / 2 - 10, LineGeometry::LineY(w.Image4->height(), k));
}

bool RedAt(const QImage &img, const QPoint &p)
{
    const QColor c = img.pixelColor(p);
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}
} // namespace

class TestPanel : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void castWithoutChangingLines();
    void markingChangingLines();
    void allMarksEqualDeveloping();
    void tintKeepsMarks();
    void derivedButtons_data();
    void derivedButtons();
    void showHideAndMenuItem();
};

void TestPanel::layout()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QCOMPARE(w.KxCollapsePanel1->geometry(), QRect(336, 248, 105 + 89 + 18 + 19, 161 + 50));
    QCOMPARE(w.KxExplorerButton2->pos(), QPoint(130, 32));
    QCOMPARE(w.KxExplorerButton1->pos(), QPoint(130, 80));
    QCOMPARE(w.ExplorerButton7->pos(), QPoint(130 + 89 - 41, 111));
    QCOMPARE(w.KxExplorerButton3->pos(), QPoint(121, 151));
    QCOMPARE(w.ExplorerButton5->pos(), QPoint(153, 151));
    QCOMPARE(w.ExplorerButton6->pos(), QPoint(185, 151));
    QVERIFY(w.KxCollapsePanel1->isHidden());
    QCOMPARE(w.KxCollapsePanel1->HeaderCaption(), QStringLiteral("Doplňkový hexagram"));
}

void TestPanel::castWithoutChangingLines()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwCast(QStringLiteral("787878"));
    QVERIFY(!w.KxCollapsePanel1->isHidden());
    QVERIFY(!w.KxExplorerButton2->isEnabled());
    QCOMPARE(Cursors::Of(w.KxExplorerButton2), int(crRukaZak));
    QVERIFY(!w.KxExplorerButton1->isEnabled());
    for (int k = 1; k <= 6; ++k) {
        QTest::mouseMove(w.Image4, LinePoint(w, k));
        w.Image4MouseMove(LinePoint(w, k));
        QCOMPARE(Cursors::Of(w.Image4), int(crSipkaZ));
        QTest::mouseClick(w.Image4, Qt::LeftButton, {}, LinePoint(w, k));
    }
    QCOMPARE(f.state.panel.panelMarks, (std::array<bool, 6>{}));
    QVERIFY(!w.KxExplorerButton1->isEnabled());
}

void TestPanel::markingChangingLines()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwCast(QStringLiteral("967878"));
    QVERIFY(w.KxExplorerButton2->isEnabled());
    QVERIFY(!w.KxExplorerButton1->isEnabled());
    w.Image4MouseMove(LinePoint(w, 2));
    QCOMPARE(Cursors::Of(w.Image4), int(crSipka));
    w.Image4MouseMove(LinePoint(w, 3));
    QCOMPARE(Cursors::Of(w.Image4), int(crSipkaZ));
    // The band's edge is outside: strict comparison.
    const QRect band = f.state.panel.panelLineRects[1];
    QTest::mouseClick(w.Image4, Qt::LeftButton, {}, QPoint(band.left(), band.center().y()));
    QVERIFY(!f.state.panel.panelMarks[1]);
    QTest::mouseClick(w.Image4, Qt::LeftButton, {}, LinePoint(w, 2));
    QVERIFY(f.state.panel.panelMarks[1]);
    QVERIFY(w.KxExplorerButton1->isEnabled());
    QCOMPARE(Cursors::Of(w.KxExplorerButton1), int(crRuka));
    QVERIFY(RedAt(w.Image4->picture(), QPoint(w.Image4->width() / 3, LinePoint(w, 2).y())));
    QTest::mouseClick(w.Image4, Qt::RightButton, {}, LinePoint(w, 2)); // any button
    QVERIFY(!f.state.panel.panelMarks[1]);
    QVERIFY(!w.KxExplorerButton1->isEnabled());
    // A 9-line offers a narrower band than a 6-line.
    QVERIFY(f.state.panel.panelLineRects[0].height() < f.state.panel.panelLineRects[1].height());
}

void TestPanel::allMarksEqualDeveloping()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwCast(QStringLiteral("967896"));
    for (int k : {1, 2, 5, 6})
        QTest::mouseClick(w.Image4, Qt::LeftButton, {}, LinePoint(w, k));
    QTest::mouseClick(w.KxExplorerButton1, Qt::LeftButton);
    const QString chosen = f.windows->form2->windowTitle();
    QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), HexagramNumberOf(DevelopingLines(f.state.lines.castLines)));
    QTest::mouseClick(w.KxExplorerButton2, Qt::LeftButton);
    QCOMPARE(f.windows->form2->windowTitle(), chosen);
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("967896")); // the cast survives
}

void TestPanel::tintKeepsMarks()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwCast(QStringLiteral("677777"));
    QTest::mouseClick(w.Image4, Qt::LeftButton, {}, LinePoint(w, 1));
    const QColor before = w.Image4->picture().pixelColor(5, 5);
    w.ZlatistyPanelHex->trigger();
    QVERIFY(w.Image4->picture().pixelColor(5, 5) != before);
    QVERIFY(RedAt(w.Image4->picture(), QPoint(w.Image4->width() / 3, LinePoint(w, 1).y())));
    QVERIFY(f.state.panel.panelMarks[0]);
}

void TestPanel::derivedButtons_data()
{
    QTest::addColumn<QString>("cast");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("nuclear of 1") << "999777" << 2 << 1;
    QTest::newRow("opposite of 1") << "777797" << 3 << 2;
    QTest::newRow("swapped of 11") << "777888" << 4 << 12;
    QTest::newRow("swapped of equal trigrams") << "787787" << 4 << 30;
    QTest::newRow("developing") << "977777" << 0 << 44;
}

void TestPanel::derivedButtons()
{
    QFETCH(QString, cast);
    QFETCH(int, button);
    QFETCH(int, result);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwCast(cast);
    w.PanelButtonClick(button);
    QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), result);
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(result));
}

void TestPanel::showHideAndMenuItem()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.Nastaveni1Click();
    QVERIFY(!w.ZobrazitPanelDH->isEnabled());
    f.throwCast(QStringLiteral("777777"));
    w.Nastaveni1Click();
    QVERIFY(!w.ZobrazitPanelDH->isEnabled()); // shown already
    w.KxCollapsePanel1->CloseButton()->click();
    QVERIFY(w.KxCollapsePanel1->isHidden());
    w.Nastaveni1Click();
    QVERIFY(w.ZobrazitPanelDH->isEnabled());
    w.ZobrazitPanelDH->trigger();
    QVERIFY(!w.KxCollapsePanel1->isHidden());
    w.New1->trigger();
    QVERIFY(w.KxCollapsePanel1->isHidden());
    w.OknoItem[0]->trigger(); // back to the document with a hexagram
    QVERIFY(!w.KxCollapsePanel1->isHidden());
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
