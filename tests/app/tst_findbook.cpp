// Find in book: the search order, the matching rules and the window's buttons.

#include "reading/ReadingGenerator.h"
#include "support/MainWindowFixture.h"
#include "tools/FindKP_F9.h"
#include "tools/TextSearch.h"
#include "tools/Zendra12F2.h"
#include "ui/PictureBox.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestFindBook : public QObject {
    Q_OBJECT
private slots:
    void searchOrder();
    void matching_data();
    void matching();
    void phraseOnlyInTheLastStep();
    void wholeWordsAndCase();
    void furtherMatchesInTheOpenHexagram();
    void buttonsFollowTextAndViewer();
};

void TestFindBook::searchOrder()
{
    const int first[] = {1, 44, 13, 33, 10, 6, 25, 12, 9};
    for (int s = 1; s <= 9; ++s)
        QCOMPARE(HexagramNumberOf(SearchOrderStep(s)), first[s - 1]);
    const int last[] = {19, 7, 24, 2};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(HexagramNumberOf(SearchOrderStep(61 + i)), last[i]);
    QSet<int> all;
    for (int s = 1; s <= 64; ++s) {
        all.insert(HexagramNumberOf(SearchOrderStep(s)));
        QCOMPARE(SearchOrderStep(s), FullReadingForm(SearchOrderStep(s)));
    }
    QCOMPARE(all.size(), 64);
}

void TestFindBook::matching_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<int>("at");
    QTest::newRow("case folded, Czech") << "Žluťoučký kůň" << "ŽLUŤOUČKÝ" << false << false << 0;
    QTest::newRow("case kept") << "Žluťoučký kůň" << "ŽLUŤOUČKÝ" << true << false << -1;
    QTest::newRow("accents count") << "káva" << "kava" << false << false << -1;
    QTest::newRow("inside a word") << "podnebesí nebe" << "nebe" << false << false << 3;
    QTest::newRow("whole word skips inside") << "podnebesí nebe" << "nebe" << false << true << 10;
    QTest::newRow("only inside a word") << "podnebesí" << "nebe" << false << true << -1;
    QTest::newRow("digits adjoin") << "a 12x" << "12" << false << true << -1;
    QTest::newRow("punctuation does not") << "(nebe)." << "nebe" << false << true << 1;
}

void TestFindBook::matching()
{
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(bool, matchCase);
    QFETCH(bool, whole);
    QFETCH(int, at);
    QCOMPARE(int(FindPhrase(text, phrase, 0, SearchOptions{matchCase, whole})), at);
}

void TestFindBook::phraseOnlyInTheLastStep()
{
    MainWindowFixture f;
    TForm9 &find = *f.windows->form9;
    f.form->NajitKP1->trigger();
    QVERIFY(find.isVisible());
    QCOMPARE(find.windowTitle(), QStringLiteral("Najít v Knize proměn"));
    find.CheckBox2->setChecked(true); // "12. Hexagram:" must not count
    find.Edit1->setText(QStringLiteral("  2. Hexagram:  "));
    QVERIFY(find.Button1->isEnabled() && !find.Button3->isEnabled());
    find.Button1->click();
    QCOMPARE(find.Edit1->text(), QStringLiteral("2. Hexagram:")); // trimmed
    TForm2 &viewer = *f.windows->form2;
    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.windowTitle(), BookTables::Heading(2));
    QCOMPARE(viewer.RichEdit1->textCursor().selectedText(), QStringLiteral("2. Hexagram:"));
    QCOMPARE(HexagramNumberOf(f.state.lines.readingLines), 2);
    QCOMPARE(int(f.state.trigramPickState), int(PickShown));
    QVERIFY(!find.Button3->isEnabled()); // hexagram 2 is the last step
    QCOMPARE(find.Button2->text(), TForm9::kNextInOpen);
    QCOMPARE(f.state.documents.currentSlot, 1);
    // From the start again: the same hexagram.
    find.Button1->click();
    QCOMPARE(viewer.windowTitle(), BookTables::Heading(2));
}

void TestFindBook::wholeWordsAndCase()
{
    MainWindowFixture f;
    TForm9 &find = *f.windows->form9;
    find.Edit1->setText(QStringLiteral("HEXAGRAM"));
    find.Button1->click();
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(1)); // the first step
    QVERIFY(find.Button3->isEnabled());
    find.Button3->click();
    QCOMPARE(f.windows->form2->windowTitle(), BookTables::Heading(44)); // the next step
    find.CheckBox1->setChecked(true); // now the capitals find nothing
    find.Edit1->setText(QStringLiteral("HEXAGRAM"));
    f.fake.dialogs.shown.clear();
    find.Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{TForm9::kNotFound});
    QCOMPARE(int(f.state.trigramPickState), int(PickNone));
    QVERIFY(!find.Button3->isEnabled());
    find.CheckBox1->setChecked(false);
    find.CheckBox2->setChecked(true);
    find.Edit1->setText(QStringLiteral("exagra")); // only inside words
    f.fake.dialogs.shown.clear();
    find.Button1->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{TForm9::kNotFound});
}

void TestFindBook::furtherMatchesInTheOpenHexagram()
{
    MainWindowFixture f;
    TForm9 &find = *f.windows->form9;
    TForm2 &viewer = *f.windows->form2;
    find.Edit1->setText(QStringLiteral("Proměnná čára"));
    find.Button1->click();
    const int first = viewer.FindPos;
    QVERIFY(first > 0);
    find.Button2->click();
    QVERIFY(viewer.FindPos > first);
    QCOMPARE(viewer.RichEdit1->textCursor().selectedText(), QStringLiteral("Proměnná čára"));
    int presses = 0;
    f.fake.dialogs.shown.clear();
    while (viewer.FindPos >= 0 && presses++ < 20)
        find.Button2->click();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{TForm9::kNotFound});
    QCOMPARE(find.Button2->text(), TForm9::kInOpen);
    QCOMPARE(presses, 7 - 1); // seven statements in hexagram 1, six after the first
}

void TestFindBook::buttonsFollowTextAndViewer()
{
    MainWindowFixture f;
    TForm9 &find = *f.windows->form9;
    find.Edit1->setText(QStringLiteral("nebe"));
    QVERIFY(find.Button1->isEnabled() && !find.Button2->isEnabled()); // no viewer yet
    f.form->ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(11)));
    QVERIFY(find.Button2->isEnabled());
    find.Edit1->setText(QStringLiteral("   "));
    QVERIFY(!find.Button1->isEnabled() && !find.Button2->isEnabled());
    find.Edit1->setText(QStringLiteral("nebe"));
    find.Button1->click();
    QVERIFY(find.Button3->isEnabled());
    QTest::mouseClick(f.form->PaintBox[0], Qt::LeftButton);
    QTest::mouseClick(f.form->PaintBox[1], Qt::LeftButton); // an upper trigram picked
    QVERIFY(!find.Button3->isEnabled());
    f.windows->form2->close();
    QVERIFY(!find.Button2->isEnabled());
    QCOMPARE(f.windows->form2->FindPos, -1);

    // The book search reads through the line array, so it waits for a cast
    // being drawn, and the cast keeps its lines.
    find.Edit1->setText(QStringLiteral("nebe"));
    f.throwCast(QStringLiteral("986"));
    const HexagramLines drawn = f.state.lines.readingLines;
    QVERIFY(!find.Button1->isEnabled() && !find.Button3->isEnabled());
    QTest::keyClick(find.Edit1, Qt::Key_Return);
    QCOMPARE(f.state.lines.readingLines, drawn);
    f.throwCast(QStringLiteral("777"));
    QCOMPARE(f.state.documents.current().lines.first(), QStringLiteral("CHHEX:986777"));
    QVERIFY(find.Button1->isEnabled());
}

QTEST_MAIN(TestFindBook)
#include "tst_findbook.moc"
