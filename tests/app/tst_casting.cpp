#include "support/MainWindowFixture.h"
#include "ui/AnimatedImage.h"
#include "ui/AssetCatalogue.h"
#include "ui/TileImage.h"
#include "ui/Cursors.h"
#include "ui/PictureBox.h"
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

class TestCasting : public QObject {
    Q_OBJECT
private slots:
    void timedThrowButtonStates();
    void timedCastFillsLinesBottomFirst();
    void handModeTableValues();
    void handCastWithPaperAndF12();
    void escapeCancelsMidCastKeepingText();
    void fifthLineReminderOnlyForFiles();
    void fastSpinAndMetalSwitch();
    void woodChoiceBySeconds_data();
    void woodChoiceBySeconds();
    void soundChoiceBySeconds();
};

void TestCasting::timedThrowButtonStates()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QVERIFY(w.Pocitacem1->isChecked());
    QVERIFY(w.Nastavovatmince1->menuAction()->isEnabled());
    QTest::mouseClick(w.Button[0], Qt::LeftButton); // coin 1 spins
    QVERIFY(w.AnimatedImage[0]->Active());
    QVERIFY(f.state.casting.timedTossStarted);
    QVERIFY(!w.Nastavovatmince1->menuAction()->isEnabled());
    QTest::mouseClick(w.Button[0], Qt::LeftButton); // stops: same mark, value 2
    QVERIFY(!w.AnimatedImage[0]->Active());
    QCOMPARE(w.AnimatedImage[0]->GlyphNum(), 0);
    QVERIFY(!w.Button[0]->isEnabled());
    QVERIFY(w.Button[1]->isEnabled() && w.Button[2]->isEnabled());
    QCOMPARE(int(f.state.casting.castLineCount), 0);

    f.throwCoin(2, 3);
    QCOMPARE(w.AnimatedImage[2]->GlyphNum(), 6);
    QVERIFY(!w.Button[2]->isEnabled());
    QCOMPARE(int(f.state.casting.castLineCount), 0); // two coins stopped: no line yet
    f.throwCoin(1, 3);
    QCOMPARE(int(f.state.casting.castLineCount), 1);
    QCOMPARE(int(f.state.lines.readingLines[1]), 8);
    for (QPushButton *b : w.Button)
        QVERIFY(b->isEnabled());
    QVERIFY(w.Zrusit1->isEnabled());
    QCOMPARE(f.state.casting.coinValues, (std::array<std::uint8_t, 3>{0, 0, 0}));
    QCOMPARE(Cursors::Of(w.PaintBox[0]), int(crRukaZak)); // the picture is disarmed
    QVERIFY(!w.PapVykrCar->menuAction()->isEnabled());
}

void TestCasting::timedCastFillsLinesBottomFirst()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwCast(QStringLiteral("78996"));
    QCOMPARE(int(f.state.casting.castLineCount), 5);
    f.throwLine(8);
    QCOMPARE(int(f.state.casting.castLineCount), 0);
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("789968"));
    QCOMPARE(HexagramNumberOf(f.state.lines.castLines), 55);
    QCOMPARE(HexagramNumberOf(DevelopingLines(f.state.lines.castLines)), 3);
    for (QPushButton *b : w.Button)
        QVERIFY(!b->isEnabled());
    QVERIFY(!w.Zrusit1->isEnabled());
    QCOMPARE(Cursors::Of(w.PaintBox[0]), int(crRuka));
    QVERIFY(!w.PapVykrCar->menuAction()->isEnabled()); // the drawn lines stay until a reset
    QCOMPARE(f.fake.dialogs.texts(), QStringList());
}

void TestCasting::handModeTableValues()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.Rucne1->trigger();
    QVERIFY(w.Rucne1->isChecked());
    QCOMPARE(w.AnimatedImage[0]->NumGlyphs(), 7);
    QCOMPARE(Cursors::Of(w.Image2), int(crRuka));
    QCOMPARE(f.state.casting.coinValues, (std::array<std::uint8_t, 3>{3, 3, 3}));
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    QCOMPARE(int(f.state.lines.readingLines[1]), 9); // untouched table

    w.Button[0]->click();
    QCOMPARE(int(f.state.casting.coinValues[0]), 2);
    for (int tick = 1; tick <= 6; ++tick) {
        w.Timer1Timer();
        QCOMPARE(w.AnimatedImage[0]->GlyphNum(), tick);
    }
    w.Timer1Timer();
    QCOMPARE(w.AnimatedImage[0]->GlyphNum(), 6);
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    QCOMPARE(int(f.state.lines.readingLines[2]), 8); // one coin turned

    w.Button[1]->click();
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    QCOMPARE(int(f.state.lines.readingLines[3]), 7); // two coins turned
    w.Button[2]->click();
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    QCOMPARE(int(f.state.lines.readingLines[4]), 6); // three coins turned

    w.Button[2]->click(); // turns back while still turning
    QCOMPARE(int(f.state.casting.coinValues[2]), 3);
    w.Timer1Timer();
    QCOMPARE(w.AnimatedImage[2]->GlyphNum(), 5);
}

void TestCasting::handCastWithPaperAndF12()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.Rucne1->trigger();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(w.Image2, Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w.RichEdit2, Qt::Key_F12);
    QCOMPARE(f.state.lines.castLines.digits(), QStringLiteral("999999"));
    QCOMPARE(Cursors::Of(w.Image2), int(crRukaZak));
    const QStringList before = f.state.documents.current().lines;
    QTest::mouseClick(w.Image2, Qt::LeftButton); // after the sixth line: nothing
    QTest::keyClick(w.RichEdit2, Qt::Key_F12);
    QCOMPARE(int(f.state.casting.castLineCount), 0);
    QCOMPARE(f.state.documents.current().lines, before);
}

void TestCasting::escapeCancelsMidCastKeepingText()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.RichEdit2->moveCursor(QTextCursor::End);
    w.RichEdit2->insertPlainText(QStringLiteral("Co mě čeká?"));
    const QString text = w.RichEdit2->toPlainText();
    f.throwCast(QStringLiteral("78"));
    QCOMPARE(int(f.state.casting.castLineCount), 2);
    QTest::keyClick(w.RichEdit2, Qt::Key_Escape);
    QCOMPARE(int(f.state.casting.castLineCount), 0);
    QVERIFY(!w.Zrusit1->isEnabled());
    QVERIFY(!f.state.casting.timedTossStarted);
    QVERIFY(w.Nastavovatmince1->menuAction()->isEnabled());
    QVERIFY(w.PapVykrCar->menuAction()->isEnabled());
    QCOMPARE(w.RichEdit2->toPlainText(), text);
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 1"));
    // The paper is clean again: no black pixels.
    const QImage paper = w.Image2->picture();
    bool black = false;
    for (int y = 0; y < paper.height() && !black; ++y)
        for (int x = 0; x < paper.width() && !black; ++x)
            black = qGray(paper.pixel(x, y)) < 40;
    QVERIFY(!black);
    // Esc with nothing to cancel does nothing.
    QTest::keyClick(w.RichEdit2, Qt::Key_Escape);
    QCOMPARE(w.RichEdit2->toPlainText(), text);
}

void TestCasting::fifthLineReminderOnlyForFiles()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwCast(QStringLiteral("77777"));
    QVERIFY(f.fake.dialogs.shown.isEmpty()); // "Nový" is not bound to a file
    QTest::keyClick(w.RichEdit2, Qt::Key_Escape);

    w.setWindowTitle(QStringLiteral("Zendra  /home/ja/otazka.txt"));
    f.throwCast(QStringLiteral("7777"));
    QVERIFY(f.fake.dialogs.shown.isEmpty());
    f.throwLine(7);
    QCOMPARE(f.fake.dialogs.texts(), QStringList{QStringLiteral("Zapsat do souboru   /home/ja/otazka.txt?")});
    QCOMPARE(f.fake.dialogs.shown.first().kind, MessageKind::Information);
    // While the sixth line is thrown the reminder does not return.
    f.throwCoin(0, 2);
    f.throwCoin(1, 2);
    QCOMPARE(f.fake.dialogs.shown.size(), 1);
}

void TestCasting::fastSpinAndMetalSwitch()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QCOMPARE(w.AnimatedImage[0]->Interval(), 20);
    w.Rychle->trigger();
    QCOMPARE(w.AnimatedImage[0]->Interval(), 5);
    w.Rychle->trigger();
    QCOMPARE(w.AnimatedImage[2]->Interval(), 20);

    f.throwCoin(0, 3);
    f.throwCoin(1, 2);
    w.Zlato->trigger();
    QVERIFY(w.Zlato->isChecked());
    QCOMPARE(w.AnimatedImage[0]->GlyphNum(), 6); // results stay on screen
    QCOMPARE(w.AnimatedImage[1]->GlyphNum(), 0);
    QCOMPARE(w.AnimatedImage[0]->NumGlyphs(), 12);
    QCOMPARE(int(f.state.casting.coinValues[0]), 3);
}

void TestCasting::woodChoiceBySeconds_data()
{
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("wood");
    QTest::newRow("1 -> Stul1") << 1 << 1;
    QTest::newRow("2 -> Stul2") << 2 << 2;
    QTest::newRow("3 -> Stul3") << 3 << 3;
    QTest::newRow("4 -> Stul4") << 4 << 4;
    QTest::newRow("57 -> Stul1") << 57 << 1;
}

void TestCasting::woodChoiceBySeconds()
{
    QFETCH(int, second);
    QFETCH(int, wood);
    MainWindowFixture f;
    f.fake.clock.set(second, 0);
    f.form->NahodaD->trigger();
    QVERIFY(f.form->NahodaD->isChecked());
    QCOMPARE(f.form->Image1->Picture(), Assets::Picture(QStringLiteral("Stul%1").arg(wood)));
    f.form->Drevo[1]->trigger();
    QVERIFY(f.form->Drevo[1]->isChecked());
    QCOMPARE(f.form->Image1->Picture(), Assets::Picture(QStringLiteral("Stul2")));
}

void TestCasting::soundChoiceBySeconds()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    const char *const expected[5] = {"Hrom", "Zvonky", "Zvonek", "Harfa1", "Harfa2"};
    for (int s = 0; s < 5; ++s) {
        f.fake.clock.set(s + 10, 0);
        w.Nahoda->trigger();
        QCOMPARE(f.fake.sound.played.last(), QLatin1String(expected[(s + 10) % 5]));
    }
    w.Harfa2->trigger();
    QCOMPARE(f.fake.sound.played.last(), QStringLiteral("Harfa2"));
    const int count = f.fake.sound.played.size();
    w.Zadny->trigger(); // only checks the item
    QCOMPARE(f.fake.sound.played.size(), count);
    QVERIFY(w.Zadny->isChecked());
}

QTEST_MAIN(TestCasting)
#include "tst_casting.moc"
