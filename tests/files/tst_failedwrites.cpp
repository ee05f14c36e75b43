// Every writer of a user's file against a save target that fails: when it
// is opened, after each possible number of bytes, and when it is committed.
// Whatever fails, the old file stays whole, nothing else is left in its
// folder, the user gets one Czech message naming the file and the reason,
// and the work stays marked unsaved. With room for every byte, it is saved.

#include "app/IniSettingsStore.h"
#include "cli/Commands.h"
#include "notes/Pozn_F11.h"
#include "print/NTiskF8.h"
#include "support/FailDevice.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedPasswordDlg.h"
#include "ui/ExplorerButton.h"
#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "(none)";
}

struct Attempt {
    QStringList messages;
    bool unsaved = false;
};

// Runs the writer under each failure, then with room for all it writes.
void DriveEveryFailure(const QString &path, const std::function<Attempt()> &attempt)
{
    const QDir folder = QFileInfo(path).dir();
    QList<FailPlan> plans{{FailPlan::OnOpen}, {FailPlan::OnCommit}};
    for (qint64 n = 0; n < 100000; ++n)
        plans << FailPlan{FailPlan::AfterBytes, n};
    for (const FailPlan &plan : plans) {
        const QByteArray old = Bytes(path);
        const QStringList files = folder.entryList(QDir::Files | QDir::Hidden);
        qint64 taken = 0;
        const FailingSaves failing(plan, &taken);
        const Attempt a = attempt();
        const QString what = u"step %1, %2 bytes: "_s.arg(plan.step).arg(plan.bytes) + a.messages.join(u" | "_s);
        if (a.messages.isEmpty()) { // all written: the new file, whole
            QVERIFY2(plan.step == FailPlan::AfterBytes && !a.unsaved, qPrintable(what));
            QCOMPARE(Bytes(path).size(), taken);
            return;
        }
        const QString reason = plan.step == FailPlan::OnOpen ? kOpenRefused
                               : plan.step == FailPlan::OnCommit ? kRenameFailed : kDiskFull;
        QVERIFY2(Bytes(path) == old && folder.entryList(QDir::Files | QDir::Hidden) == files, qPrintable(what));
        QVERIFY2(a.messages.size() == 1 && a.messages[0].contains(path) && a.messages[0].contains(reason),
                 qPrintable(what));
        QVERIFY2(a.unsaved, qPrintable(what));
    }
    QFAIL("never saved");
}

Attempt Told(const FakeDialogs &dialogs, qsizetype from, bool unsaved)
{
    Attempt a{{}, unsaved};
    for (qsizetype i = from; i < dialogs.shown.size(); ++i)
        a.messages << dialogs.shown[i].text;
    return a;
}

Attempt RunCli(const QStringList &args, QByteArray input = QByteArray())
{
    QBuffer in(&input);
    in.open(QIODevice::ReadOnly);
    CliOutput out;
    const int rc = RunCommand(args, out, &in);
    return {out.stderrText.isEmpty() ? QStringList() : out.stderrText.trimmed().split(u'\n'), rc != kCliOk};
}
} // namespace

class TestFailedWrites : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Thousands of tries, each synced to disk: a folder in memory keeps it to seconds.
        if (QFileInfo(u"/dev/shm"_s).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    void consultation_data();
    void consultation();
    void notesWindow();
    void settings_data();
    void settings();
    void cli_data();
    void cli();
};

void TestFailedWrites::consultation_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << u"otázka.txt"_s;
    QTest::newRow("encrypted") << u"otázka.txg"_s;
}

void TestFailedWrites::consultation()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    MainWindowFixture f;
    auto *passwords = new ScriptedPasswordDlg(f.fake.dialogs, f.form);
    f.form->setPasswordDialog(passwords);
    f.form->RichEdit2->insertPlainText(u"Půjdu?"_s);
    passwords->entries << u"heslo"_s << u"heslo"_s;
    f.fake.fileDialogs.saveAnswers << dir.filePath(name);
    f.form->SaveAs1->trigger();
    QTest::keyClicks(f.form->RichEdit2, u" Ano."_s);
    DriveEveryFailure(dir.filePath(name), [&] {
        const qsizetype from = f.fake.dialogs.shown.size();
        passwords->entries << u"heslo"_s << u"heslo"_s;
        f.form->Save1->trigger();
        const DocumentSlot &slot = f.state.documents.current();
        return Told(f.fake.dialogs, from, slot.modified && slot.fileName == dir.filePath(name));
    });
}

void TestFailedWrites::notesWindow()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    MainWindowFixture f([folder](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"Dir", folder}};
    });
    TForm11 &notes = *f.windows->form11;
    f.form->ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(3)));
    QTest::mouseClick(f.form->ExplorerButton[3], Qt::LeftButton);
    QTest::mouseClick(notes.SaveButton, Qt::LeftButton); // an old file to keep
    QTest::keyClicks(notes.Memo1, u"Trpelivost."_s);
    DriveEveryFailure(dir.filePath(u"Poznamky.str"_s), [&] {
        const qsizetype from = f.fake.dialogs.shown.size();
        QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
        return Told(f.fake.dialogs, from, notes.NotesModified);
    });
}

void TestFailedWrites::settings_data()
{
    QTest::addColumn<bool>("margins");
    QTest::newRow("&Uložit nastavení") << false;
    QTest::newRow("page margins") << true;
}

void TestFailedWrites::settings()
{
    QFETCH(bool, margins);
    QTemporaryDir dir;
    FakePlatform fake;
    IniSettingsStore store(dir.filePath(u"Zendra2.1.ini"_s));
    Platform seams{fake.clock, fake.dialogs, fake.fileDialogs, store, fake.sound, fake.shell, fake.screens};
    ProgramState state;
    ZendraWindows windows(seams, state, InterpretationCorpus::Embedded());
    windows.form1->UlozNas1->trigger();
    windows.form1->Rychle->trigger();
    DriveEveryFailure(store.path(), [&] {
        const qsizetype from = fake.dialogs.shown.size();
        margins ? windows.form8->Button1Click() : windows.form1->UlozNas1->trigger();
        return Told(fake.dialogs, from, from < fake.dialogs.shown.size()); // the store has no mark of its own
    });
    QVERIFY(Bytes(store.path()).contains(margins ? "SpE1=@@int:" : "Rychle=@@int:1"));
}

void TestFailedWrites::cli_data()
{
    QTest::addColumn<QStringList>("args"); // the last @name is the file written
    QTest::newRow("save plain") << QStringList{u"save"_s, u"@a.txt"_s};
    QTest::newRow("save encrypted") << QStringList{u"save"_s, u"@a.txg"_s, u"--password"_s, u"heslo"_s};
    QTest::newRow("lzh compress") << QStringList{u"lzh"_s, u"compress"_s, u"@in.txt"_s, u"@a.lzh"_s};
    QTest::newRow("lzh expand") << QStringList{u"lzh"_s, u"expand"_s, u"@in.lzh"_s, u"@a.txt"_s};
    QTest::newRow("notes put") << QStringList{u"notes"_s, u"put"_s, u"@a.str"_s, u"777777"_s};
    QTest::newRow("notes put, compressed") << QStringList{u"notes"_s, u"put"_s, u"@z.str"_s, u"777777"_s};
}

void TestFailedWrites::cli()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QString out;
    for (QString &a : args)
        if (a.startsWith(u'@'))
            out = a = dir.filePath(a.mid(1));
    // The input of lzh, and an old file in each output's place.
    const QByteArray text = QByteArray("Ot\xc3\xa1zka: Kam?\n").repeated(30);
    const auto make = [](const QStringList &args, const QByteArray &input = "star\xc3\xa1") {
        QCOMPARE(RunCli(args, input).messages, QStringList{});
    };
    QFile in(dir.filePath(u"in.txt"_s));
    QVERIFY(in.open(QIODevice::WriteOnly) && in.write(text) && in.flush());
    make({u"lzh"_s, u"compress"_s, in.fileName(), dir.filePath(u"in.lzh"_s)});
    make({u"notes"_s, u"put"_s, dir.filePath(u"a.str"_s), u"888888"_s});
    make({u"notes"_s, u"put"_s, dir.filePath(u"z.str"_s), u"888888"_s, u"--compressed"_s});
    make({u"save"_s, dir.filePath(u"a.txt"_s)});
    make({u"save"_s, dir.filePath(u"a.txg"_s), u"--password"_s, u"heslo"_s});
    make({u"lzh"_s, u"compress"_s, in.fileName(), dir.filePath(u"a.lzh"_s)});
    DriveEveryFailure(out, [&] { return RunCli(args, text); });
}

QTEST_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
