// Interoperability with independent lh5 programs through the shared oracle:
// every stream we write must expand correctly with both of its decoders, and
// streams from its independent encoder must expand correctly with ours.
// Skipped when the oracle or the programs it runs are not installed.

#include "LzhSamples.h"
#include "notes/Lzh.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Beside the source tree; ZENDRA_SHARED names the shared folder when the tree
// is a work tree elsewhere.
const QString kOracle = qEnvironmentVariable("ZENDRA_SHARED", QStringLiteral(ZENDRA_SOURCE_DIR "/../shared"))
                        + QStringLiteral("/tools/lh5-oracle");

struct OracleRun {
    int code = -1;
    QString output;
};

OracleRun RunOracle(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("python3"), QStringList{kOracle} + args);
    if (!p.waitForFinished(240000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void AddInputs()
{
    using namespace LzhSamples;
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("one byte") << QByteArray("A");
    QTest::newRow("run of 100000") << QByteArray(100000, 'r');
    QTest::newRow("all byte values") << AllByteValues(30);
    QTest::newRow("periods 2 to 7") << Periodic(5000, "ab") + Periodic(5000, "abc") + Periodic(5000, "abcdefg");
    QTest::newRow("text 200k") << Text(200000, 31);
    QTest::newRow("repeated block 200k") << RepeatedBlock(200000, 6000, 32);
    QTest::newRow("mixed 1.5 MiB") << Mixed(1500000, 33);
    for (const auto &[name, data] : Boundaries())
        if (QByteArray(name).startsWith("text"))
            QTest::newRow(name) << data;
}

} // namespace

class TestLzhOracle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ourStreamsExpandWithBothDecoders_data();
    void ourStreamsExpandWithBothDecoders();
    void independentStreamsExpandWithOurs_data();
    void independentStreamsExpandWithOurs();

private:
    QTemporaryDir m_dir;
};

void TestLzhOracle::initTestCase()
{
    if (!QFile::exists(kOracle))
        QSKIP("lh5-oracle not found");
    for (const char *program : {"python3", "lhasa", "jlha"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(program))));
    QVERIFY(m_dir.isValid());
}

void TestLzhOracle::ourStreamsExpandWithBothDecoders_data()
{
    AddInputs();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("random 100k") << LzhSamples::Random(100000, 34);
    for (const auto &[name, data] : LzhSamples::Boundaries())
        if (QByteArray(name).startsWith("random"))
            QTest::newRow(name) << data;
}

void TestLzhOracle::ourStreamsExpandWithBothDecoders()
{
    QFETCH(QByteArray, input);
    const QString original = m_dir.filePath(QStringLiteral("original")), raw = m_dir.filePath(QStringLiteral("ours.raw"));
    QVERIFY(WriteFile(original, input));
    QVERIFY(WriteFile(raw, LzhCompressBytes(input)));
    // Strict: a decoder that needs padding behind our stream counts as failed.
    const OracleRun run = RunOracle({QStringLiteral("expand"), raw, original, QStringLiteral("--strict")});
    QVERIFY2(run.code == 0, qPrintable(run.output));
    QVERIFY2(run.output.contains(QLatin1String("lhasa: ok")) && run.output.contains(QLatin1String("jlha: ok")),
             qPrintable(run.output));
}

void TestLzhOracle::independentStreamsExpandWithOurs_data()
{
    AddInputs();
}

void TestLzhOracle::independentStreamsExpandWithOurs()
{
    QFETCH(QByteArray, input);
    const QString original = m_dir.filePath(QStringLiteral("original")), raw = m_dir.filePath(QStringLiteral("theirs.raw"));
    QVERIFY(WriteFile(original, input));
    QFile::remove(raw);
    const OracleRun run = RunOracle({QStringLiteral("compress"), original, raw});
    if (run.code == 3)
        QSKIP("the independent encoder stored this input uncompressed");
    QVERIFY2(run.code == 0, qPrintable(run.output));
    QFile f(raw);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray stream = f.readAll();
    QCOMPARE(LzhExpandBytes(stream), input);
}

QTEST_GUILESS_MAIN(TestLzhOracle)
#include "tst_lzhoracle.moc"
