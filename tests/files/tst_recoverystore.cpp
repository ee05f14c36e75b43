// Recovery copies: what a copy holds and hides, and which copies the next
// start finds after a crash, a kill or a clean close.

#include "files/ConsultationFile.h"
#include "files/RecoveryStore.h"
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>

namespace {

const QString kSecret = QStringLiteral("Tajná otázka o žluťoučkém koni");

QStringList Consultation()
{
    return {QStringLiteral("CHHEX:789968"), QStringLiteral("7. 12. 2026, 10:00:00"), QStringLiteral("Otázka: ") + kSecret,
            QString(), QStringLiteral("Znaky mimo kódovou stránku: → ✓ 😀 a nezlomitelná\u00a0mezera")};
}

QByteArray AllBytesUnder(const QString &folder)
{
    QByteArray all;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            all += f.readAll();
    }
    return all;
}

int CopiesIn(const QString &folder)
{
    return QDir(folder).entryList({u'*' + Recovery::kSuffix}, QDir::Files).size();
}

} // namespace

class TestRecoveryStore : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void encryptedBindingWithoutUsableKeyHasNoCopy();
    void damagedHeadersRefused_data();
    void damagedHeadersRefused();
    void copiesAreTheUsersAlone();
    void crashLeavesCopiesForTheNextStart();
    void cleanCloseLeavesNothing();
    void encryptedConsultationNeverPlainOnDisk();
    void killedProcessIsFound();
};

void TestRecoveryStore::roundTrip_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("encrypted");
    QTest::newRow("never saved") << QString() << QString() << Consultation() << false;
    QTest::newRow("plain file") << QStringLiteral("/home/u/Data/otázka.txt") << QString() << Consultation() << false;
    QTest::newRow("plain file, a password left over") << QStringLiteral("/d/a.txt") << QStringLiteral("heslo")
                                                       << Consultation() << false;
    QTest::newRow("encrypted file") << QStringLiteral("/home/u/Data/tajné.txg") << QStringLiteral("Heslo 1")
                                    << Consultation() << true;
    QTest::newRow("capital TXT is encrypted") << QStringLiteral("/d/A.TXT") << QStringLiteral("x") << Consultation()
                                              << true;
    QTest::newRow("no lines") << QString() << QString() << QStringList() << false;
    QTest::newRow("one empty line, encrypted") << QStringLiteral("/d/e.txg") << QStringLiteral("k")
                                               << QStringList{QString()} << true;
    QTest::newRow("blank lines at the end") << QStringLiteral("/d/e.txg") << QStringLiteral("k")
                                            << QStringList{QStringLiteral("a"), QString(), QString()} << true;
}

void TestRecoveryStore::roundTrip()
{
    QFETCH(QString, fileName);
    QFETCH(QString, password);
    QFETCH(QStringList, lines);
    QFETCH(bool, encrypted);
    const RecoveryCopy copy{QStringLiteral("Nový 3"), fileName, lines, password};
    const QDateTime written(QDate(2026, 12, 7), QTime(9, 30, 15, 250), Qt::UTC);
    const std::optional<QByteArray> bytes = Recovery::FileBytes(copy, written);
    QVERIFY(bytes);
    const std::optional<RecoveryFile> file = Recovery::ParseFile(*bytes);
    QVERIFY(file);
    QCOMPARE(file->name, copy.name);
    QCOMPARE(file->fileName, fileName);
    QCOMPARE(file->written, written);
    QCOMPARE(file->encrypted, encrypted);
    QCOMPARE(Recovery::Lines(*file, password), std::optional<QStringList>(lines));
    if (encrypted) {
        QVERIFY(!bytes->contains(kSecret.toUtf8()));
        QVERIFY(!bytes->contains(ConsultationFile::ToCodePage(kSecret)));
        QVERIFY(!bytes->contains("CHHEX"));
        QCOMPARE(Recovery::Lines(*file, password.toUpper() + u'!'), std::nullopt);
        QCOMPARE(Recovery::Lines(*file), std::nullopt);
    }
}

void TestRecoveryStore::encryptedBindingWithoutUsableKeyHasNoCopy()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString file = QStringLiteral("/d/a.txg");
    QCOMPARE(Recovery::FileBytes({QStringLiteral("a"), file, Consultation(), QString()}, now), std::nullopt);
    // Keys the cipher refuses: a length that is a multiple of 256, a
    // character the code page lacks.
    QCOMPARE(Recovery::FileBytes({QStringLiteral("a"), file, Consultation(), QString(256, u'x')}, now), std::nullopt);
    QCOMPARE(Recovery::FileBytes({QStringLiteral("a"), file, Consultation(), QStringLiteral("€→")}, now),
             std::nullopt);
}

void TestRecoveryStore::damagedHeadersRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = "Zendra obnova 1\nname a\nfile \nwritten 2026-12-07T09:30:15.250Z\nform plain\n\nOtázka\n";
    QVERIFY(Recovery::ParseFile(good));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("other version") << QByteArray(good).replace("obnova 1", "obnova 2");
    QTest::newRow("longer magic") << QByteArray(good).replace("obnova 1", "obnova 10");
    QTest::newRow("field missing") << QByteArray(good).replace("file \n", "");
    QTest::newRow("fields swapped") << QByteArray(good).replace("name a\nfile \n", "file \nname a\n");
    QTest::newRow("unknown form") << QByteArray(good).replace("form plain", "form zip");
    QTest::newRow("no blank line") << QByteArray(good).replace("\n\n", "\nx\n");
    QTest::newRow("cut in the header") << good.first(30);
    QTest::newRow("plain text of an encrypted binding")
        << QByteArray(good).replace("file \n", "file %2Fd%2Fa.txg\n");
    QTest::newRow("encrypted form of a plain binding")
        << QByteArray(good).replace("file \n", "file a.txt\n").replace("form plain", "form encrypted");
}

void TestRecoveryStore::damagedHeadersRefused()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(Recovery::ParseFile(bytes).has_value(), false);
}

void TestRecoveryStore::copiesAreTheUsersAlone()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("data/obnova"));
    RecoveryStore store(folder);
    QVERIFY(store.isRunning());
    store.keep(2, {QStringLiteral("Nový 1"), QString(), Consultation(), QString()});
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    const QFileInfo copy(store.pathOf(2));
    QVERIFY(copy.exists());
    QCOMPARE(copy.permissions() & (ownerOnly | others | QFileDevice::ExeOwner), ownerOnly);
    QCOMPARE(QFileInfo(folder).permissions() & others, QFileDevice::Permissions());
    // Even a folder that someone opened up is narrowed again.
    store.closeCleanly();
    QFile::setPermissions(folder, QFileInfo(folder).permissions() | QFileDevice::ReadOther | QFileDevice::ExeOther);
    RecoveryStore again(folder);
    QCOMPARE(QFileInfo(folder).permissions() & others, QFileDevice::Permissions());
}

void TestRecoveryStore::crashLeavesCopiesForTheNextStart()
{
    QTemporaryDir dir;
    const RecoveryCopy first{QStringLiteral("Nový 1"), QString(), Consultation(), QString()};
    const RecoveryCopy second{QStringLiteral("/d/b.txt"), QStringLiteral("/d/b.txt"), {QStringLiteral("b")}, {}};
    {
        auto crashed = std::make_unique<RecoveryStore>(dir.path());
        crashed->keep(1, first);
        crashed->keep(4, second);
        crashed->keep(5, {QStringLiteral("Nový 2"), QString(), {QStringLiteral("uloženo")}, {}});
        crashed->drop(5); // saved before the crash
        RecoveryStore running(dir.path());
        QVERIFY(running.claimAbandoned().isEmpty()); // its owner is still running
        // The crash: the running mark goes with the process, the copies stay.
    }
    RecoveryStore next(dir.path());
    const QList<RecoveryFile> found = next.claimAbandoned();
    QCOMPARE(found.size(), 2);
    QList<RecoveryCopy> read;
    for (const RecoveryFile &f : found)
        read << RecoveryCopy{f.name, f.fileName, *Recovery::Lines(f), {}};
    QVERIFY(read.contains(first));
    QVERIFY(read.contains(second));

    // A third Zendra starting meanwhile does not offer them again.
    RecoveryStore third(dir.path());
    QVERIFY(third.claimAbandoned().isEmpty());

    next.forget(found[0]);
    next.releaseClaims();
    // What was not forgotten is offered at the next start.
    RecoveryStore later(dir.path());
    const QList<RecoveryFile> left = later.claimAbandoned();
    QCOMPARE(left.size(), 1);
    QCOMPARE(left[0].name, found[1].name);
}

void TestRecoveryStore::cleanCloseLeavesNothing()
{
    QTemporaryDir dir;
    {
        RecoveryStore store(dir.path());
        store.keep(1, {QStringLiteral("Nový 1"), QString(), Consultation(), QString()});
        store.keep(9, {QStringLiteral("Nový 9"), QString(), {QStringLiteral("x")}, QString()});
        QCOMPARE(CopiesIn(dir.path()), 2);
        store.closeCleanly();
        store.keep(2, {QStringLiteral("Nový 2"), QString(), {QStringLiteral("late")}, QString()});
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    RecoveryStore next(dir.path());
    QVERIFY(next.claimAbandoned().isEmpty());
}

void TestRecoveryStore::encryptedConsultationNeverPlainOnDisk()
{
    QTemporaryDir dir;
    RecoveryStore store(dir.path());
    RecoveryCopy copy{QStringLiteral("Nový 1"), QString(), Consultation(), QString()};
    store.keep(1, copy);
    QVERIFY(AllBytesUnder(dir.path()).contains(kSecret.toUtf8())); // never saved: plain, as the user's own disk

    // Saved as an encrypted file and changed again: the copy is encrypted.
    copy.name = copy.fileName = dir.filePath(QStringLiteral("a.txg"));
    copy.password = QStringLiteral("heslo");
    copy.lines << QStringLiteral("další řádek");
    store.keep(1, copy);
    QByteArray disk = AllBytesUnder(dir.path());
    QVERIFY(!disk.contains(kSecret.toUtf8()));
    QVERIFY(!disk.contains(ConsultationFile::ToCodePage(kSecret)));

    // Bound to an encrypted file with no password held: no copy at all.
    copy.password.clear();
    store.keep(1, copy);
    QCOMPARE(CopiesIn(dir.path()), 0);
    disk = AllBytesUnder(dir.path());
    QVERIFY(!disk.contains(kSecret.toUtf8()));
}

// The child half of killedProcessIsFound: keeps one copy unless told
// "empty", says so, waits.
static int HoldSession(const QString &folder, bool keep)
{
    RecoveryStore store(folder);
    if (keep)
        store.keep(3, {QStringLiteral("Nový 7"), QString(), {QStringLiteral("napsáno před pádem")}, QString()});
    std::fputs("kept\n", stdout);
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}

void TestRecoveryStore::killedProcessIsFound()
{
    QTemporaryDir dir;
    QProcess writer, idle;
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-session"), dir.path()});
    idle.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--hold-session"), dir.path(), QStringLiteral("empty")});
    for (QProcess *child : {&writer, &idle}) {
        QVERIFY(child->waitForReadyRead(20000));
        QCOMPARE(child->readLine(), QByteArray("kept\n"));
    }
    const auto marks = [&] { return QDir(dir.path()).entryList({QStringLiteral("*.lock")}, QDir::Files).size(); };
    QCOMPARE(marks(), 2);
    {
        RecoveryStore meanwhile(dir.path());
        QVERIFY(meanwhile.claimAbandoned().isEmpty()); // alive: their marks hold
        QCOMPARE(marks(), 3);
    }
    for (QProcess *child : {&writer, &idle}) {
        child->kill(); // SIGKILL: no destructor runs, the mark stays with a dead owner
        QVERIFY(child->waitForFinished(20000));
    }
    QCOMPARE(marks(), 2);
    RecoveryStore next(dir.path());
    const QList<RecoveryFile> found = next.claimAbandoned();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].name, QStringLiteral("Nový 7"));
    QCOMPARE(Recovery::Lines(found[0]), std::optional<QStringList>(QStringList{QStringLiteral("napsáno před pádem")}));
    // The idle one's mark is gone; the writer's is held by the claim until released.
    QCOMPARE(marks(), 2);
    next.releaseClaims();
    QCOMPARE(marks(), 1);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc >= 3 && QByteArrayView(argv[1]) == "--hold-session")
        return HoldSession(QString::fromLocal8Bit(argv[2]), argc == 3);
    TestRecoveryStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recoverystore.moc"
