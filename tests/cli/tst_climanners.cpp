// zendra-cli as scripts and people meet it: help on stdout, a protected
// file that asks for its password, failures from the system or the
// container told in a Czech sentence that names the file, and notes read
// out as UTF-8 text.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Run {
    int code;
    QByteArray out;
    QString err;
};

Run Cli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess p;
    p.start(QStringLiteral(ZENDRA_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

// FILE in an argument or a message stands for the path of a file in the folder.
QStringList Expand(QStringList list, const QTemporaryDir &dir)
{
    for (QString &a : list)
        a.replace(u"FILE:"_s, dir.path() + u'/');
    return list;
}
} // namespace

class TestCliManners : public QObject {
    Q_OBJECT
private slots:
    void helpIsAnAnswer_data();
    void helpIsAnAnswer();
    void protectedFileAsksForItsPassword_data();
    void protectedFileAsksForItsPassword();
    void failuresNameTheFile_data();
    void failuresNameTheFile();
    void noteAsText();
};

void TestCliManners::helpIsAnAnswer_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("--help") << QStringList{u"--help"_s};
    QTest::newRow("help") << QStringList{u"help"_s};
    QTest::newRow("-h") << QStringList{u"-h"_s};
    QTest::newRow("after a command") << QStringList{u"notes"_s, u"get"_s, u"--help"_s};
}

void TestCliManners::helpIsAnAnswer()
{
    QFETCH(QStringList, args);
    const Run r = Cli(args);
    QCOMPARE(r.code, 0);
    QVERIFY(r.err.isEmpty());
    const QString out = QString::fromUtf8(r.out);
    QVERIFY2(out.startsWith(u"použití: zendra-cli PŘÍKAZ"_s), qPrintable(out));
    for (const QString &command : {u"open"_s, u"save"_s, u"lzh"_s, u"notes"_s, u"--text"_s})
        QVERIFY2(out.contains(command), qPrintable(command));
    // Without a command the usage is still a complaint.
    QCOMPARE(Cli({}).code, 2);
}

void TestCliManners::protectedFileAsksForItsPassword_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no password") << QStringList{u"open"_s, u"FILE:a.txg"_s};
    QTest::newRow("blank password") << QStringList{u"open"_s, u"FILE:a.txg"_s, u"--password"_s, u"  "_s};
}

void TestCliManners::protectedFileAsksForItsPassword()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QCOMPARE(Cli(Expand({u"save"_s, u"FILE:a.txg"_s, u"--password"_s, u"klíč"_s}, dir), "Tajné\n").code, 0);
    const Run r = Cli(Expand(args, dir));
    QCOMPARE(r.code, 2);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err, u"Soubor %1/a.txg je chráněn heslem. Zadejte heslo volbou --password.\n"_s.arg(dir.path()));
}

void TestCliManners::failuresNameTheFile_data()
{
    QTest::addColumn<QByteArray>("existing"); // the bytes of FILE:in; none when empty
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message"); // the whole of stderr
    QTest::newRow("open, no file") << QByteArray() << QStringList{u"open"_s, u"FILE:none.txt"_s}
                                   << u"Soubor FILE:none.txt nelze otevřít: No such file or directory\n"_s;
    QTest::newRow("save, no folder") << QByteArray() << QStringList{u"save"_s, u"FILE:no/a.txt"_s}
                                     << u"Soubor FILE:no/a.txt nelze uložit: No such file or directory\n"_s;
    QTest::newRow("lzh, damaged stream") << QByteArray("\x10\0\0\0\xff\xff", 6)
                                         << QStringList{u"lzh"_s, u"expand"_s, u"FILE:in"_s, u"FILE:out"_s}
                                         << u"Soubor FILE:in nelze rozbalit: Compressed file is corrupt\n"_s;
    QTest::newRow("lzh, no folder for the output")
        << QByteArray("abc") << QStringList{u"lzh"_s, u"compress"_s, u"FILE:in"_s, u"FILE:no/out"_s}
        << u"Soubor FILE:no/out nelze uložit: No such file or directory\n"_s;
    QTest::newRow("notes, damaged") << QByteArray("  junk") << QStringList{u"notes"_s, u"list"_s, u"FILE:in"_s}
                                    << u"Soubor FILE:in nelze přečíst: File is corrupt.\n"_s;
    QTest::newRow("notes put, no folder")
        << QByteArray() << QStringList{u"notes"_s, u"put"_s, u"FILE:no/Poznamky.str"_s, u"777777"_s}
        << u"Soubor FILE:no/Poznamky.str nelze uložit: No such file or directory\n"_s;
}

void TestCliManners::failuresNameTheFile()
{
    QFETCH(QByteArray, existing);
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QTemporaryDir dir;
    if (!existing.isEmpty()) {
        QFile f(dir.filePath(u"in"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(existing);
    }
    const Run r = Cli(Expand(args, dir), "text\n");
    QCOMPARE(r.code, 1);
    QCOMPARE(r.err, message.replace(u"FILE:"_s, dir.path() + u'/'));
}

void TestCliManners::noteAsText()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Poznamky.str"_s);
    // A note as the notes window stores it: Windows-1250, CR LF between lines.
    const QByteArray stored("Pozn\xe1mka\r\nk\xf9\xf2 \xe8\x65rn\xfd\r\n\xa0konec");
    QCOMPARE(Cli({u"notes"_s, u"put"_s, file, u"777777"_s}, stored).code, 0);
    Run r = Cli({u"notes"_s, u"get"_s, file, u"777777"_s, u"--text"_s});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QByteArray("Pozn\xc3\xa1mka\nk\xc5\xaf\xc5\x88 \xc4\x8d\x65rn\xc3\xbd\n\xc2\xa0konec"));
    r = Cli({u"notes"_s, u"get"_s, file, u"777777"_s});
    QCOMPARE(r.out, stored); // without --text, the bytes as they are
    QCOMPARE(Cli({u"notes"_s, u"list"_s, file, u"--text"_s}).code, 2);
}

QTEST_APPLESS_MAIN(TestCliManners)
#include "tst_climanners.moc"
