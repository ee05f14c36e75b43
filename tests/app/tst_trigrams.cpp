// The trigram picture, the contents list and the viewer, driven through the
// real click areas, keys and list.

#include "reading/ReadingGenerator.h"
#include "support/MainWindowFixture.h"
#include "tools/Zendra12F2.h"
#include "tools/Zendra12F3.h"
#include "ui/Cursors.h"
#include "ui/ExplorerButton.h"
#include "ui/PictureBox.h"
#include "ui/RichView.h"
#include "ui/Zendra12F4.h"
#include "ui/TileImage.h"
#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

namespace {
QString ViewText(int number)
{
    QStringList l;
    GenerateReading(InterpretationCorpus::Embedded(), FullReadingForm(LinesOfHexagram(number)), true, l);
    return l.join(u'\n');
}

int Position(Trigram t, bool fuSi) { return fuSi ? TrigramInfoOf(t).fuSiPosition : TrigramInfoOf(t).wenPosition; }
} // namespace

class TestTrigrams : public QObject {
    Q_OBJECT
private slots:
    void pickSequence_data();
    void pickSequence();
    void marksAppearInTheCentre();
    void refusedDuringCast();
    void clearingByF9AndTopStrip();
    void pictureButtons_data();
    void pictureButtons();
    void f4WithAltAloneDoesNotPick();
    void contentsEntryOpensItsHexagram_data();
    void contentsEntryOpensItsHexagram();
    void contentsWithoutSelectionShowsNothing();
    void contentsListDisabledDuringCast();
    void viewerKeysAndMenu();
    void settingsMenuRules();
    void popupDescribesTrigram_data();
    void popupDescribesTrigram();
    void popupHidesAndRefuses();
    void aboutBoxFromMenu();
};

void TestTrigrams::pickSequence_data()
{
    QTest::addColumn<bool>("fuSi");
    QTest::newRow("Fu Si") << true;
    QTest::newRow("Wen") << false;
}

void TestTrigrams::pickSequence()
{
    QFETCH(bool, fuSi);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    (fuSi ? w.FuSi1 : w.Wen1)->trigger();
    // The top position: Heaven under Fu Si, Fire under Wen.
    QTest::mouseClick(w.PaintBox[0], Qt::LeftButton);
    QCOMPARE(int(f.state.trigramPickState), int(PickLower));
    QCOMPARE(LowerTrigram(f.state.lines.readingLines), fuSi ? Trigram::Heaven : Trigram::Fire);
    QVERIFY(!f.windows->form2->isVisible());
    QVERIFY(!w.ExplorerButton[0]->isEnabled());
    // Earth over the first pick, by F-key.
    QTest::keyClick(w.RichEdit2, Qt::Key(Qt::Key_F1 + Position(Trigram::Earth, fuSi) - 1));
    QCOMPARE(int(f.state.trigramPickState), int(PickShown));
    const int n = fuSi ? 11 : 36;
    QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), n);
    QCOMPARE(f.state.lines.readingLines, FullReadingForm(LinesOfHexagram(n)));
    QVERIFY(f.windows->form2->isVisible());
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(n));
    QCOMPARE(f.windows->form2->RichEdit1->toPlainText(), ViewText(n));
    QCOMPARE(f.state.documents.currentSlot, 1); // the scratch slot was only borrowed
    QVERIFY(f.state.documents[DocumentSlots::kScratch].lines.isEmpty());
    for (int i = 0; i < 3; ++i) {
        QVERIFY(w.ExplorerButton[i]->isEnabled());
        QCOMPARE(Cursors::Of(w.ExplorerButton[i]), int(crRuka));
    }
    // The same two trigrams give the same hexagram in the other arrangement.
    (fuSi ? w.Wen1 : w.FuSi1)->trigger();
    QTest::keyClick(w.RichEdit2, Qt::Key(Qt::Key_F1 + Position(fuSi ? Trigram::Heaven : Trigram::Fire, !fuSi) - 1));
    QCOMPARE(int(f.state.trigramPickState), int(PickLower)); // state 3: a pick starts afresh
    QTest::keyClick(w.RichEdit2, Qt::Key(Qt::Key_F1 + Position(Trigram::Earth, !fuSi) - 1));
    QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), n);
}

void TestTrigrams::marksAppearInTheCentre()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.FuSi1->trigger();
    const QImage clean = w.Image3->picture();
    QTest::mouseClick(w.PaintBox[4], Qt::LeftButton); // Earth below: three broken marks
    const QImage picked = w.Image3->picture();
    const int W = picked.width(), H = picked.height();
    const int y = int(H * 0.58689);
    QCOMPARE(qGray(picked.pixel(int(W * 0.47), y)), 0);            // left half of a yin mark
    QVERIFY(picked.pixel(W / 2, y) == clean.pixel(W / 2, y));         // its gap
    QCOMPARE(qGray(picked.pixel(int(W * 0.47), y - int(H * 0.05246))), 0);
    QVERIFY(picked.pixel(W / 2, int(H * 0.49181)) == clean.pixel(W / 2, int(H * 0.49181)));
    QTest::mouseClick(w.PaintBox[0], Qt::LeftButton); // Heaven above: whole marks
    QCOMPARE(qGray(w.Image3->picture().pixel(W / 2, int(H * 0.49181))), 0);
}

void TestTrigrams::refusedDuringCast()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    f.throwLine(7);
    QCOMPARE(Cursors::Of(w.PaintBox[3]), int(crRukaZak));
    QTest::mouseClick(w.PaintBox[0], Qt::LeftButton);
    QTest::keyClick(w.RichEdit2, Qt::Key_F2);
    QCOMPARE(int(f.state.trigramPickState), int(PickNone));
    QCOMPARE(int(f.state.lines.readingLines[1]), 7);
    QVERIFY(!f.windows->form2->isVisible());
}

void TestTrigrams::clearingByF9AndTopStrip()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    const QImage clean = w.Image3->picture();
    QTest::mouseClick(w.PaintBox[1], Qt::LeftButton);
    QTest::mouseClick(w.PaintBox[8], Qt::LeftButton); // the top strip
    QCOMPARE(int(f.state.trigramPickState), int(PickNone));
    QCOMPARE(w.Image3->picture(), clean);
    QTest::mouseClick(w.PaintBox[1], Qt::LeftButton);
    QTest::mouseClick(w.PaintBox[2], Qt::LeftButton);
    QVERIFY(f.windows->form2->isVisible());
    w.ShowContents();
    QTest::keyClick(w.RichEdit2, Qt::Key_F9, Qt::ControlModifier); // Ctrl alone: nothing
    QVERIFY(f.windows->form2->isVisible());
    QTest::keyClick(w.RichEdit2, Qt::Key_F9);
    QVERIFY(!f.windows->form2->isVisible()); // closing the viewer clears the picture
    QVERIFY(!f.windows->form3->isVisible());
    QCOMPARE(int(f.state.trigramPickState), int(PickNone));
    QCOMPARE(w.Image3->picture(), clean);
    QVERIFY(!w.ExplorerButton[0]->isEnabled());
    QCOMPARE(Cursors::Of(w.ExplorerButton[0]), int(crRukaZak));
}

void TestTrigrams::pictureButtons_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("nuclear of 1") << 1 << 0 << 1;
    QTest::newRow("opposite of 1") << 1 << 1 << 2;
    QTest::newRow("swapped of 11") << 11 << 2 << 12;
    QTest::newRow("nuclear of 63") << 63 << 0 << 64;
    QTest::newRow("swapped of 29") << 29 << 2 << 29;
}

void TestTrigrams::pictureButtons()
{
    QFETCH(int, shown);
    QFETCH(int, button);
    QFETCH(int, result);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(shown)));
    QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), shown);
    QTest::mouseClick(w.ExplorerButton[button], Qt::LeftButton);
    QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), result);
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(result));
    QCOMPARE(int(f.state.trigramPickState), int(PickShown));
}

void TestTrigrams::f4WithAltAloneDoesNotPick()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QTest::keyClick(w.RichEdit2, Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(int(f.state.trigramPickState), int(PickNone));
    QTest::keyClick(w.RichEdit2, Qt::Key_F4, Qt::AltModifier | Qt::ShiftModifier);
    QCOMPARE(int(f.state.trigramPickState), int(PickLower));
}

void TestTrigrams::contentsEntryOpensItsHexagram_data()
{
    QTest::addColumn<bool>("fuSi");
    QTest::newRow("Fu Si") << true;
    QTest::newRow("Wen") << false;
}

void TestTrigrams::contentsEntryOpensItsHexagram()
{
    QFETCH(bool, fuSi);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    (fuSi ? w.FuSi1 : w.Wen1)->trigger();
    w.Soupis->trigger();
    TForm3 &contents = *f.windows->form3;
    QVERIFY(contents.isVisible());
    QCOMPARE(contents.windowTitle(), QStringLiteral("Obsah Knihy proměn"));
    QCOMPARE(contents.ListBox1->count(), 64);
    QCOMPARE(contents.ListBox1->item(0)->text(), QStringLiteral("1. Tvoření "));
    QCOMPARE(contents.ListBox1->item(8)->text(), QStringLiteral("9. Působení slabého"));
    for (int k = 1; k <= 64; ++k) {
        contents.ListBox1->setCurrentRow(k - 1);
        if (k % 2)
            QTest::keyClick(contents.ListBox1, Qt::Key_Return);
        else
            contents.ListBox1Click();
        QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), k);
        QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(k));
    }
    contents.ListBox1->setCurrentRow(17);
    contents.ListBox1Click();
    const QString text18 = f.windows->form2->RichEdit1->toPlainText();
    contents.ListBox1->setCurrentRow(58);
    contents.ListBox1Click();
    QVERIFY(f.windows->form2->RichEdit1->toPlainText() != text18);
    QCOMPARE(contents.ListBox1->item(17)->text(), QStringLiteral("18. Rozklad"));
    QCOMPARE(contents.ListBox1->item(58)->text(), QStringLiteral("59. Rozklad"));
}

void TestTrigrams::contentsWithoutSelectionShowsNothing()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QTest::mouseClick(w.PaintBox[0], Qt::LeftButton);
    w.ObsahKP1->trigger();
    f.windows->form3->ListBox1->clearSelection();
    f.windows->form3->ListBox1Click();
    QCOMPARE(int(f.state.trigramPickState), int(PickNone)); // the picture was cleared
    QVERIFY(!f.windows->form2->isVisible());
}

void TestTrigrams::contentsListDisabledDuringCast()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QVERIFY(w.Soupis->isEnabled());
    f.throwLine(8);
    QVERIFY(!w.Soupis->isEnabled());
    QVERIFY(!f.windows->form3->ListBox1->isEnabled());
    f.throwCast(QStringLiteral("77777"));
    QVERIFY(w.Soupis->isEnabled());
    QVERIFY(f.windows->form3->ListBox1->isEnabled());
}

void TestTrigrams::viewerKeysAndMenu()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(10)));
    TForm2 &viewer = *f.windows->form2;
    QCOMPARE(viewer.windowTitle(), QStringLiteral("       10. Hexagram:  Chůze."));
    QVERIFY(viewer.RichEdit1->isReadOnly());
    viewer.PopupMenu1Popup();
    QVERIFY(!viewer.Kopirovat1->isEnabled());
    QVERIFY(viewer.VybratVse1->isEnabled());
    viewer.VybratVse1->trigger();
    viewer.PopupMenu1Popup();
    QVERIFY(viewer.Kopirovat1->isEnabled());
    QTest::mouseClick(viewer.RichEdit1->viewport(), Qt::LeftButton);
    QCOMPARE(viewer.FindPos, 0);
    QTest::keyClick(viewer.RichEdit1, Qt::Key_F9, Qt::ControlModifier);
    QVERIFY(viewer.isVisible());
    QTest::keyClick(viewer.RichEdit1, Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!viewer.isVisible());
    QCOMPARE(viewer.FindPos, -1);
    QCOMPARE(int(f.state.trigramPickState), int(PickNone));
}

void TestTrigrams::settingsMenuRules()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QTest::mouseClick(w.PaintBox[0], Qt::LeftButton);
    w.Nastaveni1Click();
    QVERIFY(!w.FuSi1->isEnabled() && !w.Wen1->isEnabled());
    QTest::mouseClick(w.PaintBox[1], Qt::LeftButton);
    w.Nastaveni1Click();
    QVERIFY(w.FuSi1->isEnabled() && w.Wen1->isEnabled());
}

void TestTrigrams::popupDescribesTrigram_data()
{
    QTest::addColumn<bool>("fuSi");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("trigram");
    QTest::addColumn<int>("topOffset");
    QTest::newRow("Fu Si top: Heaven") << true << 1 << int(Trigram::Heaven) << 35;
    QTest::newRow("Fu Si 4: Mountain") << true << 4 << int(Trigram::Mountain) << 50;
    QTest::newRow("Wen 2: Earth") << false << 2 << int(Trigram::Earth) << 46;
    QTest::newRow("Wen 4: Heaven") << false << 4 << int(Trigram::Heaven) << 50;
    QTest::newRow("Wen 1: Fire") << false << 1 << int(Trigram::Fire) << 35;
}

void TestTrigrams::popupDescribesTrigram()
{
    QFETCH(bool, fuSi);
    QFETCH(int, position);
    QFETCH(int, trigram);
    QFETCH(int, topOffset);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    (fuSi ? w.FuSi1 : w.Wen1)->trigger();
    QTest::mousePress(w.PaintBox[position - 1], Qt::RightButton);
    TRichView &pop = *w.RichView1;
    QVERIFY(pop.isVisible());
    const QStringList lines = TrigramDescription(Trigram(trigram));
    QCOMPARE(pop.lineCount(), lines.size() + 1);
    QCOMPARE(pop.lineText(0), QStringLiteral("  "));
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(pop.lineText(i + 1), lines[i]);
        QCOMPARE(pop.lineStyle(i + 1), 6);
    }
    const QRect area = w.PaintBox[position - 1]->geometry();
    QCOMPARE(pop.pos(), QPoint(area.left() - 50, area.top() + topOffset));
    QString measured = Trigram(trigram) == Trigram::Mountain ? lines[1] : lines[0];
    if (Trigram(trigram) == Trigram::Earth || (Trigram(trigram) == Trigram::Heaven && fuSi))
        measured += u' ';
    QCOMPARE(pop.width(), pop.TextWidth(measured) + 10);
    QCOMPARE(pop.height(), pop.TextHeight(measured) * (lines.size() + 1) + 1);
    QCOMPARE(int(f.state.trigramPickState), int(PickNone)); // a right click picks nothing
}

void TestTrigrams::popupHidesAndRefuses()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QTest::keyClick(w.RichEdit2, Qt::Key_F3, Qt::ControlModifier);
    QVERIFY(w.RichView1->isVisible());
    QTest::keyClick(w.RichEdit2, Qt::Key_Escape);
    QVERIFY(!w.RichView1->isVisible());
    QCOMPARE(w.RichView1->lineCount(), 0);
    QTest::mousePress(w.PaintBox[2], Qt::RightButton);
    QTest::mousePress(static_cast<QWidget *>(w.Image1), Qt::LeftButton, Qt::NoModifier, QPoint(600, 500)); // a click on the table
    QVERIFY(!w.RichView1->isVisible());
    QTest::mousePress(w.PaintBox[2], Qt::RightButton);
    QTest::mouseClick(w.PaintBox[5], Qt::LeftButton); // a pick
    QVERIFY(!w.RichView1->isVisible());
    QTest::mousePress(w.PaintBox[2], Qt::RightButton);
    QTest::mouseClick(w.RichView1, Qt::LeftButton); // a click into the pop-up
    QVERIFY(!w.RichView1->isVisible());
    f.throwLine(6); // disarmed during a cast
    QTest::mousePress(w.PaintBox[2], Qt::RightButton);
    QTest::keyClick(w.RichEdit2, Qt::Key_F3, Qt::ControlModifier);
    QVERIFY(!w.RichView1->isVisible());
}

void TestTrigrams::aboutBoxFromMenu()
{
    MainWindowFixture f;
    QVERIFY(f.form->About1->isEnabled());
    f.form->About1->trigger();
    QVERIFY(f.form->Form4->isVisible());
    QCOMPARE(f.form->Form4->windowTitle(), QStringLiteral("O programu"));
}

QTEST_MAIN(TestTrigrams)
#include "tst_trigrams.moc"
