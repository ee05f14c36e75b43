// zendra-cli lzh compress|expand: whole files through the compressor, the
// exit codes and the Czech messages of failures.

#include "LzhSamples.h"
#include "notes/Lzh.h"
#include <QFile>
#include <QProcess>
#include <QTest>
#include "support/CliRun.h"
#include <QTemporaryDir>

namespace {

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestLzhCli : public QObject {
    Q_OBJECT
private slots:
    void compressAndExpandFiles_data();
    void compressAndExpandFiles();
    void corruptInputFailsAndKeepsTheOutput();
    void missingInputFails();
    void wrongUsage_data();
    void wrongUsage();
};

void TestLzhCli::compressAndExpandFiles_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << LzhSamples::Text(70000, 41);
    QTest::newRow("mixed") << LzhSamples::Mixed(300000, 42);
}

void TestLzhCli::compressAndExpandFiles()
{
    QFETCH(QByteArray, input);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in")), z = dir.filePath(QStringLiteral("in.lzh")),
                  out = dir.filePath(QStringLiteral("out"));
    WriteFile(in, input);
    CliRun r = Cli({QStringLiteral("lzh"), QStringLiteral("compress"), in, z});
    QCOMPARE(r.code, 0);
    QCOMPARE(ReadFile(z), LzhCompressBytes(input));
    r = Cli({QStringLiteral("lzh"), QStringLiteral("expand"), z, out});
    QCOMPARE(r.code, 0);
    QCOMPARE(ReadFile(out), input);
}

void TestLzhCli::corruptInputFailsAndKeepsTheOutput()
{
    QTemporaryDir dir;
    const QString z = dir.filePath(QStringLiteral("bad.lzh")), out = dir.filePath(QStringLiteral("out"));
    QByteArray stream = LzhCompressBytes(LzhSamples::Text(50000, 43));
    stream.truncate(stream.size() / 3);
    WriteFile(z, stream);
    WriteFile(out, "previous");
    const CliRun r = Cli({QStringLiteral("lzh"), QStringLiteral("expand"), z, out});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QLatin1String("nelze rozbalit")) && r.err.contains(QLatin1String("Compressed file is corrupt")),
             qPrintable(r.err));
    QCOMPARE(ReadFile(out), QByteArray("previous"));
}

void TestLzhCli::missingInputFails()
{
    QTemporaryDir dir;
    const CliRun r = Cli({QStringLiteral("lzh"), QStringLiteral("compress"), dir.filePath(QStringLiteral("none")),
                       dir.filePath(QStringLiteral("out"))});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("nelze otevřít")), qPrintable(r.err));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out"))));
}

void TestLzhCli::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{QStringLiteral("lzh")};
    QTest::newRow("unknown action") << QStringList{QStringLiteral("lzh"), QStringLiteral("pack"), QStringLiteral("a"),
                                                   QStringLiteral("b")};
    QTest::newRow("one file") << QStringList{QStringLiteral("lzh"), QStringLiteral("compress"), QStringLiteral("a")};
    QTest::newRow("three files") << QStringList{QStringLiteral("lzh"), QStringLiteral("expand"), QStringLiteral("a"),
                                                QStringLiteral("b"), QStringLiteral("c")};
}

void TestLzhCli::wrongUsage()
{
    QFETCH(QStringList, args);
    const CliRun r = Cli(args);
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains(QStringLiteral("použití")));
}

QTEST_GUILESS_MAIN(TestLzhCli)
#include "tst_lzhcli.moc"
