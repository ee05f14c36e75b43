// The notes window opened from the trigram picture and from the panel.

#include "notes/Pozn_F11.h"
#include "support/MainWindowFixture.h"
#include "ui/ExplorerButton.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A fixture whose settings point the notes folder at a fresh folder.
std::unique_ptr<MainWindowFixture> Make(QTemporaryDir &dir)
{
    const QString folder = dir.path();
    return std::make_unique<MainWindowFixture>([folder](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"Dir", folder}};
    });
}

QMap<QByteArray, QByteArray> Entries(const QString &path)
{
    THKStreams s;
    s.LoadFromFile(path);
    QMap<QByteArray, QByteArray> out;
    for (const QByteArray &name : s.Names()) {
        QBuffer b;
        b.open(QIODevice::ReadWrite);
        s.GetStream(name, b);
        out.insert(name, b.data());
    }
    return out;
}
} // namespace

class TestNotes : public QObject {
    Q_OBJECT
private slots:
    void newNoteFromThePicture();
    void sameNoteForChangingAndStill();
    void savedFileKeepsOtherNotes();
    void clearedNoteStaysEmpty();
    void closeQuestion();
    void damagedFileIsNeverReplaced_data();
    void damagedFileIsNeverReplaced();
};

void TestNotes::newNoteFromThePicture()
{
    QTemporaryDir dir;
    auto f = Make(dir);
    TForm1 &w = *f->form;
    TForm11 &notes = *f->windows->form11;
    QVERIFY(!w.ExplorerButton[3]->isEnabled());
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(3)));
    QVERIFY(w.ExplorerButton[3]->isEnabled());
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QVERIFY(notes.isVisible());
    QCOMPARE(notes.NoteName, QStringLiteral("788878"));
    QCOMPARE(notes.Memo1->toPlainText(), QStringLiteral("       3. Hexagram:  Rození.\n"));
    QVERIFY(!w.ExplorerButton[3]->isEnabled() && !w.ExplorerButton7->isEnabled());
    QVERIFY(!notes.SaveButton->isRaised());
    QVERIFY(notes.close()); // nothing typed: no question, no file
    QVERIFY(f->fake.dialogs.shown.isEmpty());
    const QString path = dir.filePath(QStringLiteral("Poznamky.str"));
    QVERIFY(!QFile::exists(path));
    QVERIFY(w.ExplorerButton[3]->isEnabled());
    // A click on the save button writes the file with that one note, plain.
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
    QCOMPARE(notes.windowTitle(), QStringLiteral("Poznámky "));
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
    QCOMPARE(notes.windowTitle(), QStringLiteral("Poznámky"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(2), QByteArray("  "));
    QCOMPARE(Entries(path), (QMap<QByteArray, QByteArray>{{"788878", "       3. Hexagram:  Rozen\xed.\r\n"}}));
}

void TestNotes::sameNoteForChangingAndStill()
{
    QTemporaryDir dir;
    auto f = Make(dir);
    TForm1 &w = *f->form;
    TForm11 &notes = *f->windows->form11;
    f->throwCast(QStringLiteral("967878")); // 63 with changing lines
    QTest::mouseClick(w.ExplorerButton7, Qt::LeftButton);
    QCOMPARE(notes.NoteName, QStringLiteral("787878"));
    QCOMPARE(notes.NoteDefaultText, BookTables::Heading(63));
    QTest::keyClicks(notes.Memo1, QStringLiteral("pozor"));
    QVERIFY(notes.NotesModified && notes.SaveButton->isRaised());
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
    QVERIFY(!notes.NotesModified && !notes.SaveButton->isRaised());
    notes.close();
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(63)));
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QVERIFY(notes.Memo1->toPlainText().endsWith(QStringLiteral("pozor")));
}

void TestNotes::savedFileKeepsOtherNotes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Poznamky.str"));
    {
        // A compressed file made elsewhere with one note.
        THKStreams s;
        s.setCompressed(true);
        QBuffer b;
        b.setData("vlastni poznamka");
        b.open(QIODevice::ReadOnly);
        s.AddStream("777777", &b);
        s.SaveToFile(path);
    }
    auto f = Make(dir);
    TForm1 &w = *f->form;
    TForm11 &notes = *f->windows->form11;
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(2)));
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QTest::keyClicks(notes.Memo1, QStringLiteral("zeme"));
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
    const auto entries = Entries(path);
    QCOMPARE(entries.value("777777"), QByteArray("vlastni poznamka"));
    QVERIFY(entries.value("888888").endsWith("zeme"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(1), QByteArray("&")); // read compressed, written compressed
}

void TestNotes::clearedNoteStaysEmpty()
{
    QTemporaryDir dir;
    auto f = Make(dir);
    TForm1 &w = *f->form;
    TForm11 &notes = *f->windows->form11;
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(5)));
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    notes.Memo1->clear();
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
    notes.close();
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QCOMPARE(notes.Memo1->toPlainText(), QString());
}

void TestNotes::closeQuestion()
{
    QTemporaryDir dir;
    auto f = Make(dir);
    TForm1 &w = *f->form;
    TForm11 &notes = *f->windows->form11;
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(8)));
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QTest::keyClicks(notes.Memo1, QStringLiteral("x"));
    f->fake.dialogs.answers << Answer::Cancel;
    QVERIFY(!notes.close());
    QCOMPARE(f->fake.dialogs.texts().last(), QStringLiteral("Poznámka není uložena. Checete ji uložit?"));
    QVERIFY(notes.isVisible() && notes.NotesModified);
    f->fake.dialogs.answers << Answer::Yes;
    QVERIFY(notes.close());
    QVERIFY(Entries(dir.filePath(QStringLiteral("Poznamky.str"))).value("888878").endsWith("x"));
}

void TestNotes::damagedFileIsNeverReplaced_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("damaged") << QByteArray("  \x09\x09 damaged") << QStringLiteral("File is corrupt.");
    QTest::newRow("encrypted") << QByteArray(" *\x01\x02\x03\x04\x05\x06\x07\x08")
                               << QStringLiteral("File is corrupt.");
    QTest::newRow("a folder in its place") << QByteArray() << QString();
}

void TestNotes::damagedFileIsNeverReplaced()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Poznamky.str"));
    QFile file(path);
    if (reason.isEmpty()) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Poznamky.str")));
    } else {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
    }
    auto f = Make(dir);
    TForm1 &w = *f->form;
    TForm11 &notes = *f->windows->form11;
    w.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(4)));
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    // Told at once, with the file and why, before a word is typed.
    QCOMPARE(f->fake.dialogs.shown.size(), 1);
    const QString told = f->fake.dialogs.shown.first().text;
    QVERIFY2(told.startsWith(QStringLiteral("Soubor poznámek ") + path + QStringLiteral(" nelze přečíst: ")),
             qPrintable(told));
    QVERIFY(told.contains(reason));
    QVERIFY(told.contains(QStringLiteral("poznámky nelze ukládat")));
    // The note takes no typing and offers no save.
    QVERIFY(notes.Memo1->isReadOnly());
    QVERIFY(!notes.SaveButton->isEnabled());
    QTest::keyClicks(notes.Memo1, QStringLiteral("x"));
    QCOMPARE(notes.Memo1->toPlainText(), QString());
    QVERIFY(!notes.NotesModified);
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
    QVERIFY(notes.close()); // nothing to ask
    QCOMPARE(f->fake.dialogs.shown.size(), 1);
    if (!reason.isEmpty()) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        file.close();
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Poznamky.str"});
    // Repaired (here: moved away), the next opening takes notes again.
    QVERIFY(QDir(dir.path()).rename(QStringLiteral("Poznamky.str"), QStringLiteral("stare.str")));
    QTest::mouseClick(w.ExplorerButton[3], Qt::LeftButton);
    QVERIFY(!notes.Memo1->isReadOnly());
    QVERIFY(notes.SaveButton->isEnabled());
    QCOMPARE(f->fake.dialogs.shown.size(), 1);
    QVERIFY(notes.close());
}

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
