// Consultation slots driven through the real menus.

#include "reading/MarkerLine.h"
#include "reading/ReadingGenerator.h"
#include "support/MainWindowFixture.h"
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

namespace {
// The visible "&Okno" items in menu order.
QStringList WindowMenu(TForm1 &w)
{
    QStringList l;
    for (QAction *a : w.Okno->actions())
        if (a->isVisible())
            l << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
    return l;
}
} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void firstConsultationHeader();
    void newCloseReuseOrder();
    void nineAcceptedTenthRefused();
    void closingLastOpensNext();
    void closeQuestionAnswers();
    void programCloseAsksEachModified();
    void viewedOnlyClosesWithoutQuestion();
    void counterWrapsAt256();
    void typingMarksModified();
    void finishedCastAppendsReading_data();
    void finishedCastAppendsReading();
    void switchingKeepsMarkerHidden();
};

void TestDocuments::firstConsultationHeader()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 1"));
    const QStringList lines = w.RichEdit2->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].contains(QStringLiteral(", ")));
    QVERIFY(lines[0].contains(QStringLiteral("2026")) || lines[0].contains(QStringLiteral("26")));
    QCOMPARE(lines[1], QStringLiteral("Otázka: "));
    QCOMPARE(w.RichEdit2->textCursor().position(), w.RichEdit2->toPlainText().size());
    QCOMPARE(WindowMenu(w), QStringList{QStringLiteral("Nový 1 *")});
    QVERIFY(!f.state.documents.current().modified);
}

void TestDocuments::newCloseReuseOrder()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.New1->trigger();
    w.New1->trigger();
    QCOMPARE(WindowMenu(w), (QStringList{"Nový 1", "Nový 2", "Nový 3 *"}));
    w.OknoItem[1]->trigger(); // switch to "Nový 2"
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 2"));
    w.ZavOkno->trigger();
    QCOMPARE(WindowMenu(w), (QStringList{"Nový 1", "Nový 3 *"}));
    w.New1->trigger();
    QCOMPARE(f.state.documents.currentSlot, 2); // reuses slot 2 ...
    QCOMPARE(WindowMenu(w), (QStringList{"Nový 1", "Nový 3", "Nový 4 *"})); // ... listed last
    w.OknoItem[0]->trigger();
    w.ZavOkno->trigger(); // closing the current one switches to the item listed last
    QCOMPARE(WindowMenu(w), (QStringList{"Nový 3", "Nový 4 *"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 4"));
    QCOMPARE(f.state.documents.openSlotCount, 2);
    QVERIFY(f.fake.dialogs.shown.isEmpty());
}

void TestDocuments::nineAcceptedTenthRefused()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    for (int i = 2; i <= 9; ++i)
        w.New1->trigger();
    QCOMPARE(f.state.documents.openSlotCount, 9);
    QCOMPARE(int(f.state.documents.newDocumentCounter), 9);
    QVERIFY(f.fake.dialogs.shown.isEmpty());
    const QString text = w.RichEdit2->toPlainText();
    w.New1->trigger();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{DocumentSlots::kLimitMessage});
    QCOMPARE(int(f.state.documents.newDocumentCounter), 9);
    QCOMPARE(f.state.documents.openSlotCount, 9);
    QVERIFY(!f.state.documents.limitReached);
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 9"));
    QCOMPARE(w.RichEdit2->toPlainText(), text);
    w.ZavOkno->trigger();
    w.New1->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 10"));
}

void TestDocuments::closingLastOpensNext()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.ZavOkno->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 2"));
    QCOMPARE(WindowMenu(w), QStringList{QStringLiteral("Nový 2 *")});
    QCOMPARE(f.state.documents.openSlotCount, 1);
    QVERIFY(w.RichEdit2->toPlainText().endsWith(QStringLiteral("Otázka: ")));
}

void TestDocuments::closeQuestionAnswers()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.New1->trigger();
    QTest::keyClicks(w.RichEdit2, QStringLiteral("Co dal?"));
    QVERIFY(f.state.documents.current().modified);
    f.fake.dialogs.answers.enqueue(Answer::Cancel);
    w.ZavOkno->trigger();
    QCOMPARE(f.fake.dialogs.texts(), QStringList{QStringLiteral("Soubor \" Nový 2\" není uložen. Checete jej uložit?")});
    QCOMPARE(f.state.documents.openSlotCount, 2); // "Storno" keeps it open
    QVERIFY(w.RichEdit2->toPlainText().endsWith(QStringLiteral("Co dal?")));
    f.fake.dialogs.answers.enqueue(Answer::Yes); // a save that writes nothing keeps it open too
    w.ZavOkno->trigger();
    QCOMPARE(f.state.documents.openSlotCount, 2);
    f.fake.dialogs.answers.enqueue(Answer::No);
    w.ZavOkno->trigger();
    QCOMPARE(f.state.documents.openSlotCount, 1);
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 1"));
}

void TestDocuments::programCloseAsksEachModified()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QTest::keyClicks(w.RichEdit2, QStringLiteral("a"));
    w.New1->trigger();
    QTest::keyClicks(w.RichEdit2, QStringLiteral("b"));
    w.New1->trigger();
    QTest::keyClicks(w.RichEdit2, QStringLiteral("c"));
    f.fake.dialogs.answers << Answer::No << Answer::Cancel;
    QVERIFY(!w.close());
    QCOMPARE(f.fake.dialogs.shown.size(), 2);
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 2")); // the second is shown
    QVERIFY(w.RichEdit2->toPlainText().endsWith(u'b'));
    f.fake.dialogs.shown.clear();
    f.fake.dialogs.answers << Answer::No << Answer::No << Answer::No;
    QVERIFY(w.close());
    QCOMPARE(f.fake.dialogs.shown.size(), 3);
}

void TestDocuments::viewedOnlyClosesWithoutQuestion()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.New1->trigger();
    w.OknoItem[0]->trigger();
    w.OknoItem[1]->trigger();
    QTest::mouseClick(w.RichEdit2->viewport(), Qt::LeftButton);
    QTest::keyClick(w.RichEdit2, Qt::Key_Up);
    w.ZavOkno->trigger();
    w.ZavOkno->trigger();
    QVERIFY(f.fake.dialogs.shown.isEmpty());
    QVERIFY(w.close());
}

void TestDocuments::counterWrapsAt256()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    for (int i = 0; i < 254; ++i)
        w.ZavOkno->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 255"));
    w.ZavOkno->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Zendra  Nový 0"));
}

void TestDocuments::typingMarksModified()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    QTest::keyClick(w.RichEdit2, Qt::Key_Delete);
    QVERIFY(f.state.documents.current().modified);
    w.New1->trigger();
    QVERIFY(!f.state.documents.current().modified);
    QTest::mouseClick(w.RichEdit2->viewport(), Qt::RightButton);
    QVERIFY(f.state.documents.current().modified); // the editor's pop-up menu
}

void TestDocuments::finishedCastAppendsReading_data()
{
    QTest::addColumn<bool>("developing");
    QTest::addColumn<bool>("guidance");
    QTest::newRow("plain") << false << true;
    QTest::newRow("developing") << true << false;
    QTest::newRow("developing with guidance") << true << true;
}

void TestDocuments::finishedCastAppendsReading()
{
    QFETCH(bool, developing);
    QFETCH(bool, guidance);
    MainWindowFixture f;
    TForm1 &w = *f.form;
    if (w.VvojHexagram->isChecked() != developing)
        w.VvojHexagram->trigger();
    QCOMPARE(w.VykladDH->isEnabled(), developing);
    if (w.VykladDH->isChecked() != guidance)
        w.VykladDH->trigger();
    w.Harfa1->trigger();
    QTest::keyClicks(w.RichEdit2, QStringLiteral("Mam zacit?"));
    const QStringList header = w.RichEdit2->toPlainText().split(u'\n');
    f.fake.sound.played.clear();
    f.throwCast(QStringLiteral("789968"));

    QStringList expected = header;
    ConsultationReading(InterpretationCorpus::Embedded(), f.state.lines.castLines, ReadingOptions{developing, guidance},
                        expected);
    QCOMPARE(w.RichEdit2->toPlainText().split(u'\n'), expected);
    QCOMPARE(w.RichEdit2->textCursor().position(), 0);
    const DocumentSlot &slot = f.state.documents.current();
    QCOMPARE(slot.lines.first(), QStringLiteral("CHHEX:789968"));
    QCOMPARE(slot.lines.mid(1), expected);
    QVERIFY(slot.modified);
    QVERIFY(f.state.lines.hasHexagram);
    QCOMPARE(f.fake.sound.played, QStringList{QStringLiteral("Harfa1")});
    QCOMPARE(f.state.currentHeading, BookTables::Heading(developing ? 3 : 55));
}

void TestDocuments::switchingKeepsMarkerHidden()
{
    MainWindowFixture f;
    TForm1 &w = *f.form;
    w.Zadny->trigger();
    f.throwCast(QStringLiteral("777777"));
    const QString shown = w.RichEdit2->toPlainText();
    w.New1->trigger();
    QVERIFY(!f.state.lines.hasHexagram);
    for (QPushButton *b : w.Button)
        QVERIFY(b->isEnabled());
    w.OknoItem[0]->trigger();
    QCOMPARE(w.RichEdit2->toPlainText(), shown);
    QCOMPARE(f.state.documents.current().lines.first(), QStringLiteral("CHHEX:777777"));
    QVERIFY(f.state.lines.hasHexagram);
    for (QPushButton *b : w.Button)
        QVERIFY(!b->isEnabled()); // no second reading in the same document
    QVERIFY(f.fake.sound.played.isEmpty());
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
