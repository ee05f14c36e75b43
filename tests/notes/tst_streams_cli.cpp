// zendra-cli notes: what list, get and put do to container files, and that a
// file they cannot read is never written.

#include "files/PasswordRules.h"
#include "notes/HKStreamCol.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int code;
    QByteArray out;
    QString err;
};

Run Cli(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(QStringLiteral(ZENDRA_CLI), QStringList{QStringLiteral("notes")} + args);
    p.waitForStarted(30000);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestStreamsCli : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void newFilePlainBytes();
    void putListGet();
    void newFileForm_data();
    void newFileForm();
    void existingFileKeepsItsForm_data();
    void existingFileKeepsItsForm();
    void failures_data();
    void failures();
    void wrongUsage_data();
    void wrongUsage();

private:
    QString File(const char *name = "Poznamky.str") const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void TestStreamsCli::newFilePlainBytes()
{
    const QString file = File("new.str");
    const Run r = Cli({"put", file, "777777"}, "ab");
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(ReadFile(file), QByteArray::fromHex("2020 0102030405060708 01000000 0600 373737373737 02000000 6162"));
}

void TestStreamsCli::putListGet()
{
    const QString file = File("list.str");
    const QByteArray binary("\x00\xFF\r\n\x1A\x00x", 7);
    QCOMPARE(Cli({"put", file, "b"}, "first b").code, 0);
    QCOMPARE(Cli({"put", file, "C"}, binary).code, 0);
    QCOMPARE(Cli({"put", file, QStringLiteral("Žluťoučký")}, "kůň").code, 0);
    QCOMPARE(Cli({"put", file, "a"}, "").code, 0);
    QCOMPARE(Cli({"put", file, "B"}, "second b").code, 0);

    const Run list = Cli({"list", file});
    QCOMPARE(list.code, 0);
    QCOMPARE(QString::fromUtf8(list.out), QStringLiteral("a\nb\nC\nŽluťoučký\n"));
    QCOMPARE(Cli({"get", file, "c"}).out, binary);
    QCOMPARE(Cli({"get", file, "b"}).out, QByteArray("second b"));
    QCOMPARE(Cli({"get", file, QStringLiteral("žluťoučký")}).out, QByteArray("kůň"));
    const Run empty = Cli({"get", file, "a"});
    QCOMPARE(empty.code, 0);
    QVERIFY(empty.out.isEmpty());
    // The name is stored in Windows-1250.
    QVERIFY(ReadFile(file).contains("\x8Elu\x9Dou\xE8k\xFD"));
}

void TestStreamsCli::newFileForm_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("flags");
    QTest::newRow("plain") << QStringList{} << QByteArray("  ");
    QTest::newRow("compressed") << QStringList{"--compressed"} << QByteArray("& ");
    QTest::newRow("encrypted") << QStringList{"--key", QStringLiteral("tajné")} << QByteArray(" *");
    QTest::newRow("both") << QStringList{"--compressed", "--key", QStringLiteral("tajné")} << QByteArray("&*");
}

void TestStreamsCli::newFileForm()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, flags);
    const QString file = File("form.str");
    QFile::remove(file);
    QCOMPARE(Cli(QStringList{"put", file, "888888"} + options, "note").code, 0);
    QCOMPARE(ReadFile(file).left(2), flags);
    QStringList key;
    if (flags[1] == '*')
        key = QStringList{"--key", QStringLiteral("tajné")};
    const Run r = Cli(QStringList{"get", file, "888888"} + key);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QByteArray("note"));
}

void TestStreamsCli::existingFileKeepsItsForm_data()
{
    QTest::addColumn<QStringList>("created");
    QTest::addColumn<QStringList>("options"); // given when the entry is added
    QTest::addColumn<QByteArray>("flags");
    const QStringList key{"--key", "k"};
    QTest::newRow("plain stays plain") << QStringList{} << QStringList{"--compressed"} << QByteArray("  ");
    QTest::newRow("plain stays plain with a key") << QStringList{} << key << QByteArray("  ");
    QTest::newRow("compressed stays compressed") << QStringList{"--compressed"} << QStringList{} << QByteArray("& ");
    QTest::newRow("encrypted stays encrypted") << key << key << QByteArray(" *");
    QTest::newRow("both stay") << key + QStringList{"--compressed"} << key << QByteArray("&*");
}

void TestStreamsCli::existingFileKeepsItsForm()
{
    QFETCH(QStringList, created);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, flags);
    const QString file = File("kept.str");
    QFile::remove(file);
    QCOMPARE(Cli(QStringList{"put", file, "one"} + created, "1").code, 0);
    QCOMPARE(Cli(QStringList{"put", file, "two"} + options, "2").code, 0);
    const QByteArray bytes = ReadFile(file);
    QCOMPARE(bytes.left(2), flags);

    THKStreams streams;
    streams.setKey("k");
    streams.LoadFromFile(file);
    QCOMPARE(streams.Names(), (QList<QByteArray>{"one", "two"}));
}

void TestStreamsCli::failures_data()
{
    QTest::addColumn<QByteArray>("file"); // the file's bytes; empty: no file
    QTest::addColumn<QStringList>("args"); // FILE stands for the file's path
    QTest::addColumn<QString>("message");
    const QByteArray plain = QByteArray::fromHex("2020 0102030405060708 01000000 0100 61 01000000 78");
    THKStreams encrypted;
    encrypted.setEncrypted(true);
    encrypted.setCompressed(false);
    encrypted.setKey("k");
    QByteArray data = "x";
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    encrypted.AddStream("a", &buffer);
    const QByteArray locked = encrypted.ContainerBytes();

    QTest::newRow("missing entry") << plain << QStringList{"get", "FILE", "b"} << "Položka \"b\" v souboru FILE není.";
    QTest::newRow("no file to list") << QByteArray() << QStringList{"list", "FILE"}
                                     << "Soubor FILE nelze přečíst: No such file or directory";
    QTest::newRow("no file to get from") << QByteArray() << QStringList{"get", "FILE", "a"}
                                         << "Soubor FILE nelze přečíst: No such file or directory";
    QTest::newRow("damaged file") << QByteArray("  junk") << QStringList{"list", "FILE"}
                                  << "Soubor FILE nelze přečíst: File is corrupt.";
    QTest::newRow("damaged file is not replaced") << QByteArray("  junk") << QStringList{"put", "FILE", "a"}
                                                  << "Soubor FILE nelze přečíst: File is corrupt.";
    QTest::newRow("truncated entry") << plain.left(plain.size() - 1) << QStringList{"put", "FILE", "b"}
                                     << "Soubor FILE nelze přečíst: Stream read error";
    QTest::newRow("encrypted without the key") << locked << QStringList{"put", "FILE", "b"}
                                               << "Soubor FILE nelze přečíst: File is corrupt.";
    QTest::newRow("encrypted, wrong key") << locked << QStringList{"list", "FILE", "--key", "K"}
                                          << "Soubor FILE nelze přečíst: File is corrupt.";
    QTest::newRow("empty key for a new file") << QByteArray() << QStringList{"put", "FILE", "a", "--key", ""}
                                              << PasswordMessages::kNotEntered;
    QTest::newRow("weak key for a new file") << QByteArray() << QStringList{"put", "FILE", "a", "--key", "heslo31495"}
                                             << PasswordMessages::kWeakKey;
    QTest::newRow("name outside the code page") << plain << QStringList{"put", "FILE", QStringLiteral("名")}
                                                << QStringLiteral("Jméno obsahuje znaky, které ve Windows-1250 nejsou: 名");
}

// Each failure exits 1 with its message, prints nothing on stdout and leaves
// the file as it was (or absent).
void TestStreamsCli::failures()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const QString path = File("fail.str");
    QFile::remove(path);
    if (!file.isEmpty())
        WriteFile(path, file);
    args.replaceInStrings(QStringLiteral("FILE"), path);
    const Run r = Cli(args, "new data");
    QCOMPARE(r.code, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err, QString(message).replace(QStringLiteral("FILE"), path) + u'\n');
    QCOMPARE(QFile::exists(path), !file.isEmpty());
    QCOMPARE(ReadFile(path), file);
    QCOMPARE(QDir(m_dir.path()).entryList({"fail*"}, QDir::Files).size(), file.isEmpty() ? 0 : 1);
}

void TestStreamsCli::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown") << QStringList{"frob", "f"};
    QTest::newRow("list without a file") << QStringList{"list"};
    QTest::newRow("list with a name") << QStringList{"list", "f", "n"};
    QTest::newRow("get without a name") << QStringList{"get", "f"};
    QTest::newRow("put without a name") << QStringList{"put", "f"};
    QTest::newRow("compressed for list") << QStringList{"list", "f", "--compressed"};
    QTest::newRow("key without a value") << QStringList{"list", "f", "--key"};
    QTest::newRow("two keys") << QStringList{"list", "f", "--key", "a", "--key", "b"};
    QTest::newRow("unknown option") << QStringList{"get", "f", "n", "--raw"};
}

void TestStreamsCli::wrongUsage()
{
    QFETCH(QStringList, args);
    const Run r = Cli(args);
    QCOMPARE(r.code, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains(QStringLiteral("zendra-cli notes")));
}

QTEST_GUILESS_MAIN(TestStreamsCli)
#include "tst_streams_cli.moc"
