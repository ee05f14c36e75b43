// Closing the program with the notes window open, and the notes window's
// save button: questions come while every window is still there, "Storno"
// keeps everything open, and a save that failed never looks like one.

#include "notes/Pozn_F11.h"
#include "support/MainWindowFixture.h"
#include "ui/ExplorerButton.h"
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kNoteQuestion = QStringLiteral("Poznámka není uložena. Checete ji uložit?");
const QString kConsultationQuestion = QStringLiteral("Soubor \" Nový 1\" není uložen. Checete jej uložit?");

std::unique_ptr<MainWindowFixture> WithNotesIn(const QString &folder)
{
    return std::make_unique<MainWindowFixture>([folder](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"Dir", folder}};
    });
}

void OpenNoteAndType(MainWindowFixture &f, const QString &text)
{
    f.form->ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(8)));
    QTest::mouseClick(f.form->ExplorerButton[3], Qt::LeftButton);
    QTest::keyClicks(f.windows->form11->Memo1, text);
}
} // namespace

class TestClosing : public QObject {
    Q_OBJECT
private slots:
    void programCloseAsksAboutTheNoteFirst_data();
    void programCloseAsksAboutTheNoteFirst();
    void failedSaveKeepsTheCaption_data();
    void failedSaveKeepsTheCaption();
};

void TestClosing::programCloseAsksAboutTheNoteFirst_data()
{
    QTest::addColumn<QList<int>>("answers"); // Answer values, in the order asked
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Storno to the note") << QList<int>{int(Answer::Cancel)} << QStringList{kNoteQuestion} << false;
    QTest::newRow("Ne to the note, Storno to the consultation")
        << QList<int>{int(Answer::No), int(Answer::Cancel)} << QStringList{kNoteQuestion, kConsultationQuestion}
        << false;
    QTest::newRow("Ne to both") << QList<int>{int(Answer::No), int(Answer::No)}
                                << QStringList{kNoteQuestion, kConsultationQuestion} << true;
}

void TestClosing::programCloseAsksAboutTheNoteFirst()
{
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, asked);
    QFETCH(bool, closes);
    QTemporaryDir dir;
    auto f = WithNotesIn(dir.path());
    TForm1 &w = *f->form;
    TForm11 &notes = *f->windows->form11;
    QTest::keyClicks(w.RichEdit2, QStringLiteral("Pujdu?"));
    OpenNoteAndType(*f, QStringLiteral("x"));
    for (int a : answers)
        f->fake.dialogs.answers << Answer(a);

    QCOMPARE(w.close(), closes);
    QCOMPARE(f->fake.dialogs.texts(), asked);
    QCOMPARE(w.isVisible(), !closes);
    QCOMPARE(notes.isVisible(), !closes);
    if (!closes) {
        QVERIFY(notes.NotesModified);
        QVERIFY(!w.ExplorerButton7->isEnabled()); // the notes are still open
    }
    QVERIFY(!QFile::exists(notes.notesPath())); // "Ne" saves nothing
}

void TestClosing::failedSaveKeepsTheCaption_data()
{
    QTest::addColumn<QByteArray>("obstacle");
    QTest::newRow("the folder cannot be made") << QByteArray("folder");
    QTest::newRow("the notes file is damaged") << QByteArray("damaged");
}

void TestClosing::failedSaveKeepsTheCaption()
{
    QFETCH(QByteArray, obstacle);
    QTemporaryDir dir;
    QString folder = dir.path();
    if (obstacle == "folder") {
        // A plain file stands where the notes folder's parent should be.
        QFile blocker(dir.filePath(QStringLiteral("soubor")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        folder = dir.filePath(QStringLiteral("soubor/poznamky"));
    } else {
        QFile damaged(dir.filePath(QStringLiteral("Poznamky.str")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("  \x09\x09 damaged");
    }
    auto f = WithNotesIn(folder);
    TForm11 &notes = *f->windows->form11;
    OpenNoteAndType(*f, QStringLiteral("x"));
    const QString caption = notes.windowTitle();
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
    QCOMPARE(f->fake.dialogs.shown.size(), 1);
    QCOMPARE(f->fake.dialogs.shown.first().kind, MessageKind::Error);
    QCOMPARE(notes.windowTitle(), caption);
}

QTEST_MAIN(TestClosing)
#include "tst_closing.moc"
