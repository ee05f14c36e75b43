// A cast belongs to its consultation: the paper, the coins, the panel marks
// and the hand-mode paper follow the consultation that is shown.

#include "casting/LineDrawing.h"
#include "support/MainWindowFixture.h"
#include "ui/AnimatedImage.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/PictureBox.h"
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString WriteConsultation(const QTemporaryDir &dir, const QString &name, const QByteArray &marker)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(marker + "\r\nOt\xe1zka: star\xe1\r\n");
    return path;
}

QPoint PanelLinePoint(const TForm1 &w, int k)
{
    return QPoint(w.Image4->width() / 2 - 10, LineGeometry::LineY(w.Image4->height(), k));
}
} // namespace

class TestCastState : public QObject {
    Q_OBJECT
private slots:
    void handModeCastsOnceIntoAConsultation_data();
    void handModeCastsOnceIntoAConsultation();
    void paperShowsTheCurrentConsultation_data();
    void paperShowsTheCurrentConsultation();
    void panelMarksStayWithTheirConsultation_data();
    void panelMarksStayWithTheirConsultation();
    void leavingCancelsAnUnfinishedCast();
    void closingMidCastLeavesNothingBehind();
};

void TestCastState::handModeCastsOnceIntoAConsultation_data()
{
    QTest::addColumn<QStringList>("modes");
    QTest::newRow("Ručně again") << QStringList{"Rucne1"};
    QTest::newRow("Počítačem, then Ručně") << QStringList{"Pocitacem1", "Rucne1"};
}

void TestCastState::handModeCastsOnceIntoAConsultation()
{
    QFETCH(QStringList, modes);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.Rucne1->trigger();
    for (int i = 0; i < 6; ++i)
        QTest::mouseClick(w.Image2, Qt::LeftButton);
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("999999"));
    const QStringList lines = f.state.documents.current().lines;
    const QString text = w.RichEdit2->toPlainText();

    for (const QString &mode : modes)
        w.findChild<QAction *>(mode)->trigger();
    QCOMPARE(Cursors::Of(w.Image2), int(crRukaZak));
    for (int i = 0; i < 6; ++i)
        QTest::mouseClick(w.Image2, Qt::LeftButton);
    QTest::keyClick(w.RichEdit2, Qt::Key_F12);
    QCOMPARE(w.RichEdit2->toPlainText(), text);
    QCOMPARE(f.state.documents.current().lines, lines);
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("999999"));
}

void TestCastState::paperShowsTheCurrentConsultation_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("switch back") << "switch";
    QTest::newRow("close the other") << "close";
    QTest::newRow("open a file with the first cast") << "open";
}

void TestCastState::paperShowsTheCurrentConsultation()
{
    QFETCH(QString, way);
    QTemporaryDir dir;
    MainWindowFixture f;
    TForm1 &w = *f.form;
    const QImage blank = w.Image2->picture();
    f.throwCast(QStringLiteral("777777")); // "Nový 1"
    const QImage first = w.Image2->picture();
    QVERIFY(first != blank);
    w.New1->trigger(); // "Nový 2"
    QCOMPARE(w.Image2->picture(), blank);
    f.throwCast(QStringLiteral("888888"));
    QVERIFY(w.Image2->picture() != first);

    if (way == u"switch") {
        w.OknoItem[0]->trigger();
    } else if (way == u"close") {
        f.fake.dialogs.answers << Answer::No;
        w.ZavOkno->trigger();
    } else {
        QVERIFY(w.OpenFile(WriteConsultation(dir, QStringLiteral("prvni.txt"), "CHHEX:777777")));
    }
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("777777"));
    QCOMPARE(w.Image2->picture(), first);
}

void TestCastState::panelMarksStayWithTheirConsultation_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("open a file") << "open";
    QTest::newRow("switch") << "switch";
    QTest::newRow("new consultation") << "new";
}

void TestCastState::panelMarksStayWithTheirConsultation()
{
    QFETCH(QString, way);
    QTemporaryDir dir;
    MainWindowFixture f;
    TForm1 &w = *f.form;
    if (way == u"switch") {
        f.throwCast(QStringLiteral("969696"));
        w.New1->trigger();
    }
    f.throwCast(QStringLiteral("967878"));
    QTest::mouseClick(w.Image4, Qt::LeftButton, {}, PanelLinePoint(w, 2));
    QVERIFY(w.KxExplorerButton1->isEnabled());
    const QImage marked = w.Image4->picture();

    if (way == u"open")
        QVERIFY(w.OpenFile(WriteConsultation(dir, QStringLiteral("jiny.txt"), "CHHEX:967878")));
    else if (way == u"switch")
        w.OknoItem[0]->trigger();
    else
        w.New1->trigger();
    QCOMPARE(f.state.panel.panelMarks, (std::array<bool, 6>{}));
    QVERIFY(!w.KxExplorerButton1->isEnabled());
    QCOMPARE(Cursors::Of(w.KxExplorerButton1), int(crRukaZak));
    if (way == u"open") // the same cast, drawn without the red mark
        QVERIFY(w.Image4->picture() != marked);
}

void TestCastState::leavingCancelsAnUnfinishedCast()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    const QImage blank = w.Image2->picture();
    w.New1->trigger(); // "Nový 2"
    f.throwLine(7);
    f.throwCoin(0, 3); // coin 1 of the second line has stopped
    QVERIFY(!w.Button[0]->isEnabled());
    QVERIFY(w.Zrusit1->isEnabled());

    w.OknoItem[0]->trigger(); // a look at "Nový 1"
    w.OknoItem[1]->trigger(); // and back
    QCOMPARE(int(f.state.casting.castLineCount), 0);
    QCOMPARE(f.state.casting.coinValues, (std::array<std::uint8_t, 3>{}));
    for (QPushButton *b : w.Button)
        QVERIFY(b->isEnabled());
    QVERIFY(!w.Zrusit1->isEnabled());
    QVERIFY(w.Nastavovatmince1->menuAction()->isEnabled());
    QCOMPARE(w.Image2->picture(), blank);

    // No line is drawn while a coin still spins.
    QTest::mouseClick(w.Button[0], Qt::LeftButton);
    f.throwCoin(1, 2);
    f.throwCoin(2, 2);
    QVERIFY(w.AnimatedImage[0]->Active());
    QCOMPARE(int(f.state.casting.castLineCount), 0);
}

void TestCastState::closingMidCastLeavesNothingBehind()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    const QImage blank = w.Image2->picture();
    w.New1->trigger();
    f.throwCast(QStringLiteral("986")); // half a cast in "Nový 2"
    f.fake.dialogs.answers << Answer::No;
    w.ZavOkno->trigger();
    QCOMPARE(f.state.documents.current().caption, QStringLiteral("Nový 1"));
    QCOMPARE(int(f.state.casting.castLineCount), 0);
    QCOMPARE(w.Image2->picture(), blank);
    QVERIFY(!w.Zrusit1->isEnabled());
    f.throwCast(QStringLiteral("777777"));
    QCOMPARE(f.state.documents.current().lines.first(), QStringLiteral("CHHEX:777777"));
}

QTEST_MAIN(TestCastState)
#include "tst_caststate.moc"
