// Every writer of a user's file against a device that fails: on opening,
// after each possible number of bytes, and on committing. Whatever fails,
// the old file stays whole, nothing else is left in its folder, the user
// hears one Czech message that names the file and the reason, and what was
// being saved is still marked unsaved. The last attempt, with room for every
// byte, must then succeed.

#include "app/IniSettingsStore.h"
#include "cli/Commands.h"
#include "files/ConsultationFile.h"
#include "notes/HKStreamCol.h"
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
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray Contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

void Put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList Folder(const QString &path)
{
    return QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// One try of a writer: the messages the user got, and whether the work is
// still marked unsaved afterwards.
struct Attempt {
    QStringList messages;
    bool stillUnsaved = false;
};

// Runs the writer under every plan of failure, then with none.
void DriveEveryFailure(const QString &path, const std::function<Attempt()> &attempt)
{
    const auto failing = [&](FailPlan plan, const QString &reason, const QString &what) {
        const QByteArray old = Contents(path);
        const QStringList folder = Folder(path);
        const FailingSaves fail(plan);
        const Attempt a = attempt();
        QVERIFY2(Contents(path) == old, qPrintable(what));
        QCOMPARE(Folder(path), folder);
        QVERIFY2(a.messages.size() == 1, qPrintable(what + u": "_s + a.messages.join(u" | "_s)));
        QVERIFY2(a.messages[0].contains(QDir::toNativeSeparators(path)) && a.messages[0].contains(reason),
                 qPrintable(what + u": "_s + a.messages[0]));
        QVERIFY2(a.stillUnsaved, qPrintable(what));
    };
    failing({FailPlan::OnOpen}, kOpenRefused, u"open"_s);
    if (QTest::currentTestFailed())
        return;
    failing({FailPlan::OnCommit}, kRenameFailed, u"commit"_s);
    for (qint64 n = 0;; ++n) {
        qint64 took = 0;
        {
            const QByteArray old = Contents(path);
            const QStringList folder = Folder(path);
            const FailingSaves fail(FailPlan::after(n), &took);
            const Attempt a = attempt();
            if (a.messages.isEmpty()) { // everything fitted: written, and whole
                QVERIFY2(!a.stillUnsaved, "written but still unsaved");
                QCOMPARE(took, n);
                QCOMPARE(Contents(path).size(), n);
                QVERIFY(Folder(path).contains(QFileInfo(path).fileName()));
                QCOMPARE(Folder(path).size(), folder.size() + (old == "(none)" ? 1 : 0));
                return;
            }
            QVERIFY2(Contents(path) == old, qPrintable(u"after %1 bytes"_s.arg(n)));
            QCOMPARE(Folder(path), folder);
            QVERIFY2(a.messages.size() == 1 && a.messages[0].contains(QDir::toNativeSeparators(path))
                         && a.messages[0].contains(kDiskFull),
                     qPrintable(u"after %1 bytes: "_s + a.messages.join(u" | "_s)));
            QVERIFY2(a.stillUnsaved, qPrintable(u"after %1 bytes"_s.arg(n)));
        }
        if (QTest::currentTestFailed() || n > (1 << 16))
            QFAIL("the writer never succeeded");
    }
}

QStringList ErrorTexts(const FakeDialogs &dialogs, qsizetype from)
{
    QStringList texts;
    for (qsizetype i = from; i < dialogs.shown.size(); ++i)
        texts << dialogs.shown[i].text;
    return texts;
}

Attempt RunCli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QByteArray data = input;
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    CliOutput out;
    const int rc = RunCommand(args, out, &in);
    Attempt a;
    a.stillUnsaved = rc != kCliOk;
    if (!out.stderrText.isEmpty())
        a.messages = out.stderrText.trimmed().split(u'\n');
    return a;
}

} // namespace

class TestFailedWrites : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void consultation_data();
    void consultation();
    void notesWindow();
    void settings_data();
    void settings();
    void cli_data();
    void cli();
};

void TestFailedWrites::initTestCase()
{
    // Thousands of saves, each synced to disk on success and the settings'
    // drafts on every try: a folder in memory keeps that to seconds.
    if (QFileInfo(u"/dev/shm"_s).isWritable())
        qputenv("TMPDIR", "/dev/shm");
}

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
    const QString path = dir.filePath(name);
    MainWindowFixture f;
    auto *passwords = new ScriptedPasswordDlg(f.fake.dialogs, f.form);
    f.form->setPasswordDialog(passwords);
    f.form->Zadny->trigger();
    f.form->RichEdit2->insertPlainText(u"Půjdu?"_s);
    passwords->entries << u"heslo"_s << u"heslo"_s;
    f.fake.fileDialogs.saveAnswers << path;
    f.form->SaveAs1->trigger();
    QVERIFY(QFile::exists(path));
    QTest::keyClicks(f.form->RichEdit2, u" Ano, zitra."_s);

    DriveEveryFailure(path, [&] {
        const qsizetype from = f.fake.dialogs.shown.size();
        passwords->entries << u"heslo"_s << u"heslo"_s;
        f.form->Save1->trigger();
        const DocumentSlot &slot = f.state.documents.current();
        return Attempt{ErrorTexts(f.fake.dialogs, from),
                       slot.modified && f.state.documents.saveCancelled && slot.fileName == path};
    });
}

void TestFailedWrites::notesWindow()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Poznamky.str"_s);
    THKStreams old;
    old.setCompressed(false);
    QByteArray other("jin\xe1 pozn\xe1mka");
    QBuffer buffer(&other);
    buffer.open(QIODevice::ReadOnly);
    old.AddStream("888888", &buffer);
    old.SaveToFile(path);
    const QString folder = dir.path();
    MainWindowFixture f([folder](FakePlatform &p) {
        p.settings.exists = true;
        p.settings.values = {{"Dir", folder}};
    });
    TForm11 &notes = *f.windows->form11;
    f.form->ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(3)));
    QTest::mouseClick(f.form->ExplorerButton[3], Qt::LeftButton);
    QVERIFY(notes.isVisible());
    QTest::keyClicks(notes.Memo1, u"Trpelivost."_s);
    QVERIFY(notes.NotesModified);

    DriveEveryFailure(path, [&] {
        const qsizetype from = f.fake.dialogs.shown.size();
        QTest::mouseClick(notes.SaveButton, Qt::LeftButton);
        return Attempt{ErrorTexts(f.fake.dialogs, from), notes.NotesModified};
    });
    THKStreams back;
    back.LoadFromFile(path);
    QCOMPARE(back.Names(), (QList<QByteArray>{"788878", "888888"}));
}

void TestFailedWrites::settings_data()
{
    QTest::addColumn<bool>("margins");
    QTest::newRow("Uložit nastavení") << false;
    QTest::newRow("page margins") << true;
}

void TestFailedWrites::settings()
{
    QFETCH(bool, margins);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Zendra2.1.ini"_s);
    FakePlatform fake;
    IniSettingsStore store(path);
    Platform seams{fake.clock, fake.dialogs, fake.fileDialogs, store, fake.sound, fake.shell};
    ProgramState state;
    ZendraWindows windows(seams, state, InterpretationCorpus::Embedded());
    TForm1 &w = *windows.form1;
    w.UlozNas1->trigger();
    QVERIFY(fake.dialogs.shown.isEmpty());
    const QByteArray first = Contents(path);
    QVERIFY(first.contains("CisHex=@@int:1"));
    w.Rychle->trigger(); // a change to store

    DriveEveryFailure(path, [&] {
        const qsizetype from = fake.dialogs.shown.size();
        if (margins)
            windows.form8->Button1Click();
        else
            w.UlozNas1->trigger();
        const QStringList told = ErrorTexts(fake.dialogs, from);
        return Attempt{told, !told.isEmpty()}; // settings have no unsaved mark of their own
    });
    const QByteArray last = Contents(path);
    QVERIFY(last.contains(margins ? "SpE1=" : "Rychle=@@int:1"));
}

void TestFailedWrites::cli_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("save plain") << QStringList{u"save"_s, u"@out.txt"_s} << QByteArray("Ot\xc3\xa1zka: Kam?\n");
    QTest::newRow("save encrypted") << QStringList{u"save"_s, u"@out.txg"_s, u"--password"_s, u"heslo"_s}
                                    << QByteArray("Ot\xc3\xa1zka: Kam?\n");
    QTest::newRow("lzh compress") << QStringList{u"lzh"_s, u"compress"_s, u"@in.bin"_s, u"@out.lzh"_s} << QByteArray();
    QTest::newRow("lzh expand") << QStringList{u"lzh"_s, u"expand"_s, u"@in.lzh"_s, u"@out.bin"_s} << QByteArray();
    QTest::newRow("notes put") << QStringList{u"notes"_s, u"put"_s, u"@Poznamky.str"_s, u"777777"_s}
                               << QByteArray("Nov\xe1 pozn\xe1mka");
    QTest::newRow("notes put, compressed") << QStringList{u"notes"_s, u"put"_s, u"@Komprimovane.str"_s, u"777777"_s}
                                           << QByteArray("Nov\xe1 pozn\xe1mka");
}

void TestFailedWrites::cli()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QTemporaryDir dir;
    QString out;
    for (QString &a : args) {
        if (a.startsWith(u'@')) {
            a = dir.filePath(a.mid(1));
            out = a; // the last file named is the one written
        }
    }
    // What each command finds before it writes: an input, and an old output.
    const QByteArray sample = QByteArray("Kolik hlav, tolik smysl\xf9. ").repeated(20);
    Put(dir.filePath(u"in.bin"_s), sample);
    const QStringList compress{u"lzh"_s, u"compress"_s, dir.filePath(u"in.bin"_s), dir.filePath(u"in.lzh"_s)};
    QCOMPARE(RunCli(compress).messages, QStringList{});
    if (out.endsWith(u".str"_s)) {
        QStringList create{u"notes"_s, u"put"_s, out, u"888888"_s};
        if (out.contains(u"Komprimovane"_s))
            create << u"--compressed"_s;
        QCOMPARE(RunCli(create, "star\xe1").messages, QStringList{});
    } else {
        Put(out, "stary obsah");
    }

    DriveEveryFailure(out, [&] { return RunCli(args, input); });
}

QTEST_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
