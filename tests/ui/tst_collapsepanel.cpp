// The developing-hexagram panel's frame: folding to the header and back,
// its buttons and their hints, the header colour, closing and dragging.

#include "ui/KxCollapsePanel.h"
#include "ui/TileImage.h"
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

void Drag(QWidget *header, QPoint from, QPoint to)
{
    auto send = [header](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(at), QPointF(header->mapToGlobal(at)), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(header, &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

} // namespace

class TestCollapsePanel : public QObject {
    Q_OBJECT
private slots:
    void foldingAndUnfoldingRestoresTheHeight_data();
    void foldingAndUnfoldingRestoresTheHeight();
    void headerColourIsThePanelColourLessHundred_data();
    void headerColourIsThePanelColourLessHundred();
    void closeButtonSitsAtTheRightEnd_data();
    void closeButtonSitsAtTheRightEnd();
    void closeHidesThePanel();
    void headerStaysAboveTheContent();
    void draggingTheHeaderMovesThePanelWithinItsParent();
    void clickOnThePanelIsPassedOn();
};

void TestCollapsePanel::foldingAndUnfoldingRestoresTheHeight_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bevel");
    QTest::addColumn<int>("border");
    QTest::newRow("panel 219") << 219 << 1 << 0;
    QTest::newRow("panel 250, wide bevel") << 250 << 2 << 3;
    QTest::newRow("panel as low as its header") << 17 << 1 << 0;
}

void TestCollapsePanel::foldingAndUnfoldingRestoresTheHeight()
{
    QFETCH(int, height);
    QFETCH(int, bevel);
    QFETCH(int, border);
    QWidget owner;
    owner.resize(800, 600);
    auto *panel = new TKxCollapsePanel(&owner);
    panel->setBevelWidth(bevel);
    panel->setBorderWidth(border);
    panel->setGeometry(30, 40, 240, height);
    owner.show();
    QToolButton *fold = panel->FoldButton();
    QCOMPARE(fold->text(), QStringLiteral("-"));
    QCOMPARE(fold->toolTip(), QStringLiteral("Sbalit"));

    QTest::mouseClick(fold, Qt::LeftButton);
    QVERIFY(panel->isFolded());
    QCOMPARE(panel->height(), TKxCollapsePanel::kHeaderHeight + bevel + border);
    QCOMPARE(fold->text(), QStringLiteral("+"));
    QCOMPARE(fold->toolTip(), QStringLiteral("Rozbalit"));

    QTest::mouseClick(fold, Qt::LeftButton);
    QVERIFY(!panel->isFolded());
    QCOMPARE(panel->height(), height);
    QCOMPARE(fold->text(), QStringLiteral("-"));
    QCOMPARE(fold->toolTip(), QStringLiteral("Sbalit"));
    QCOMPARE(panel->pos(), QPoint(30, 40));
}

void TestCollapsePanel::headerColourIsThePanelColourLessHundred_data()
{
    QTest::addColumn<QColor>("panel");
    QTest::addColumn<QColor>("header");
    QTest::newRow("grey") << QColor(192, 192, 192) << QColor(92, 92, 92);
    QTest::newRow("floors at zero") << QColor(90, 120, 255) << QColor(0, 20, 155);
    QTest::newRow("black") << QColor(0, 0, 0) << QColor(0, 0, 0);
    QTest::newRow("exactly hundred") << QColor(100, 101, 99) << QColor(0, 1, 0);
}

void TestCollapsePanel::headerColourIsThePanelColourLessHundred()
{
    QFETCH(QColor, panel);
    QFETCH(QColor, header);
    TKxCollapsePanel p;
    p.setColor(panel);
    QCOMPARE(p.HeaderColor(), header);
    p.resize(200, 100);
    QCOMPARE(p.Header()->grab().toImage().pixelColor(40, 2), header);
}

void TestCollapsePanel::closeButtonSitsAtTheRightEnd_data()
{
    QTest::addColumn<int>("bevel");
    QTest::addColumn<int>("border");
    QTest::newRow("plain") << 1 << 0;
    QTest::newRow("wide") << 2 << 4;
}

void TestCollapsePanel::closeButtonSitsAtTheRightEnd()
{
    QFETCH(int, bevel);
    QFETCH(int, border);
    TKxCollapsePanel panel;
    panel.setBevelWidth(bevel);
    panel.setBorderWidth(border);
    panel.show();
    for (int width : {240, 317}) {
        panel.resize(width, 200);
        const QPoint at = panel.CloseButton()->mapTo(&panel, QPoint(0, 0));
        QCOMPARE(at.x(), width - bevel - border - 18);
        QCOMPARE(at.x() - panel.Header()->x(), panel.Header()->width() - 18);
    }
    QCOMPARE(panel.CloseButton()->text(), QStringLiteral("x"));
    QCOMPARE(panel.CloseButton()->toolTip(), QStringLiteral("Zavřít"));
    QCOMPARE(panel.Header()->height(), 16);
}

void TestCollapsePanel::closeHidesThePanel()
{
    QWidget owner;
    auto *panel = new TKxCollapsePanel(&owner);
    panel->setGeometry(0, 0, 240, 200);
    owner.show();
    QVERIFY(panel->isVisible());
    QTest::mouseClick(panel->CloseButton(), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
}

void TestCollapsePanel::headerStaysAboveTheContent()
{
    TKxCollapsePanel panel;
    panel.resize(240, 200);
    auto *background = new TTileImage(&panel);
    background->setGeometry(panel.rect());
    const QObjectList kids = panel.children();
    QCOMPARE(kids.last(), static_cast<QObject *>(panel.Header()));
}

void TestCollapsePanel::draggingTheHeaderMovesThePanelWithinItsParent()
{
    QWidget owner;
    owner.resize(600, 400);
    auto *panel = new TKxCollapsePanel(&owner);
    panel->setGeometry(50, 60, 200, 150);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    Drag(panel->Header(), QPoint(60, 8), QPoint(100, 38));
    QCOMPARE(panel->pos(), QPoint(90, 90));
    // Not beyond the parent's edges.
    Drag(panel->Header(), QPoint(60, 8), QPoint(2000, 2000));
    QCOMPARE(panel->pos(), QPoint(400, 250));
    Drag(panel->Header(), QPoint(60, 8), QPoint(-2000, -2000));
    QCOMPARE(panel->pos(), QPoint(0, 0));
}

void TestCollapsePanel::clickOnThePanelIsPassedOn()
{
    QWidget owner;
    auto *panel = new TKxCollapsePanel(&owner);
    panel->setGeometry(0, 0, 200, 150);
    owner.show();
    QSignalSpy clicks(panel, &TKxCollapsePanel::clicked);
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(TestCollapsePanel)
#include "tst_collapsepanel.moc"
