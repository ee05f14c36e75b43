// Recovery copies: what a copy holds and hides, and which copies the next
// start finds after a kill or a clean close.

#include "files/CodePage.h"
#include "files/ConsultationFile.h"
#include "files/RecoveryStore.h"
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>

namespace {
const QString kSecret = QStringLiteral("Tajná otázka o žluťoučkém koni");
const QStringList kLines = {QStringLiteral("CHHEX:789968"), QStringLiteral("Otázka: ") + kSecret, QString(),
                            QStringLiteral("mimo kódovou stránku: → ✓ 😀, nezlomitelná\u00a0mezera")};
QStringList Entries(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files);
}
} // namespace

class TestRecoveryStore : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void killedSessionsAndCleanClose();
};

void TestRecoveryStore::roundTrip_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("form"); // 0 no copy, 1 plain, 2 encrypted
    QTest::newRow("never saved") << QString() << QString() << kLines << 1;
    QTest::newRow("encrypted file") << QStringLiteral("/d/tajné.txg") << QStringLiteral("Heslo 1") << kLines << 2;
    QTest::newRow("capital TXT is encrypted") << QStringLiteral("/d/A.TXT") << QStringLiteral("x") << kLines << 2;
    QTest::newRow("blank last lines") << QStringLiteral("/d/e.txg") << QStringLiteral("k")
                                      << QStringList{QStringLiteral("a"), QString(), QString()} << 2;
    QTest::newRow("encrypted, no password") << QStringLiteral("/d/e.txg") << QString() << kLines << 0;
    QTest::newRow("encrypted, 256-byte key") << QStringLiteral("/d/e.txg") << QString(256, u'x') << kLines << 0;
}

void TestRecoveryStore::roundTrip()
{
    QFETCH(QString, fileName);
    QFETCH(QString, password);
    QFETCH(QStringList, lines);
    QFETCH(int, form);
    const QDateTime written(QDate(2026, 12, 7), QTime(9, 30, 15, 250), Qt::UTC);
    const std::optional<QByteArray> bytes = Recovery::FileBytes({QStringLiteral("Nový 3"), fileName, lines, password}, written);
    QCOMPARE(bytes.has_value(), form != 0);
    if (!bytes)
        return;
    const std::optional<RecoveryFile> file = Recovery::ParseFile(*bytes);
    QVERIFY(file);
    QCOMPARE(file->name, QStringLiteral("Nový 3"));
    QCOMPARE(file->fileName, fileName);
    QCOMPARE(file->written, written);
    QCOMPARE(file->encrypted, form == 2);
    QCOMPARE(Recovery::Lines(*file, password), std::optional<QStringList>(lines));
    if (form == 2) {
        for (const QByteArray &plain : {kSecret.toUtf8(), CodePage::Encode(kSecret), QByteArray("CHHEX")})
            QVERIFY(!bytes->contains(plain));
        QCOMPARE(Recovery::Lines(*file, password.toUpper() + u'!'), std::nullopt);
    }
}

// The child half of the test below: a session that keeps one copy (or
// none, told "empty"), says so and waits to be killed.
static int HoldSession(const QString &folder, bool keep)
{
    RecoveryStore store(folder);
    if (keep)
        store.keep(3, {QStringLiteral("Nový 7"), QString(), kLines, QString()});
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}

void TestRecoveryStore::killedSessionsAndCleanClose()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("data/obnova"));
    QProcess writer, idle;
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-session"), folder});
    QVERIFY(writer.waitForReadyRead(20000));
    idle.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-session"), folder, QStringLiteral("empty")});
    QVERIFY(idle.waitForReadyRead(20000));
    const QStringList copies = Entries(folder, QStringLiteral("*.obnova"));
    QCOMPARE(copies.size(), 1);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto anyone = QFileDevice::Permissions(0x7077); // owner, group, others
    QCOMPARE(QFileInfo(QDir(folder).filePath(copies[0])).permissions() & anyone, ownerOnly);
    QCOMPARE(QFileInfo(folder).permissions() & anyone, ownerOnly | QFileDevice::ExeOwner);
    {
        RecoveryStore meanwhile(folder);
        QVERIFY(meanwhile.claimAbandoned().isEmpty()); // their owners run: the marks hold
    }
    for (QProcess *child : {&writer, &idle}) {
        child->kill(); // SIGKILL: the copy and the mark stay, the mark's owner is dead
        QVERIFY(child->waitForFinished(20000));
    }

    RecoveryStore next(folder);
    const QList<RecoveryFile> found = next.claimAbandoned();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].name, QStringLiteral("Nový 7"));
    QCOMPARE(Recovery::Lines(found[0]), std::optional<QStringList>(kLines));
    QCOMPARE(Entries(folder, QStringLiteral("*.lock")).size(), 2); // the idle one's went; the writer's is claimed
    RecoveryStore third(folder);
    QVERIFY(third.claimAbandoned().isEmpty()); // claimed: not offered twice

    next.forget(found[0]);
    next.releaseClaims();

    next.keep(1, {QStringLiteral("Nový 1"), QString(), kLines, QString()});
    next.keep(2, {QStringLiteral("Nový 2"), QString(), kLines, QString()});
    next.drop(2);
    QCOMPARE(Entries(folder, QStringLiteral("*.obnova")).size(), 1);
    next.closeCleanly();
    third.closeCleanly();
    next.keep(3, {QStringLiteral("late"), QString(), kLines, QString()}); // after the close: nothing
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
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
