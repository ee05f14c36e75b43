#include "reading/Corpus.h"
#include "reading/ReadingGenerator.h"
#include <QFile>
#include <QProcess>
#include <QTest>
#include "support/CliRun.h"
#include <QTemporaryDir>


class TestCli : public QObject {
    Q_OBJECT
private slots:
    void number_data();
    void number();
    void wrongUsage_data();
    void wrongUsage();
    void readingMatchesTheGenerator_data();
    void readingMatchesTheGenerator();
    void saveAndOpenFiles();
    void helpIsAnAnswer_data();
    void helpIsAnAnswer();
    void failuresNameTheFile_data();
    void failuresNameTheFile();
    void noteAsText();
};

void TestCli::number_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("out");
    QTest::newRow("heaven changing") << "999999" << "1 2\n";
    QTest::newRow("earth changing") << "666666" << "2 1\n";
    QTest::newRow("no change") << "787878" << "63 63\n";
    QTest::newRow("789968") << "789968" << "55 3\n";
}

void TestCli::number()
{
    QFETCH(QString, lines);
    QFETCH(QString, out);
    const CliRun r = Cli({QStringLiteral("number"), lines});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, out);
}

void TestCli::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"hod"};
    QTest::newRow("number without lines") << QStringList{"number"};
    QTest::newRow("five lines") << QStringList{"number", "99999"};
    QTest::newRow("a five") << QStringList{"number", "999959"};
    QTest::newRow("reading bad option") << QStringList{"reading", "999999", "--x"};
    QTest::newRow("reading bad lines") << QStringList{"reading", "abcdef"};
}

void TestCli::wrongUsage()
{
    QFETCH(QStringList, args);
    const CliRun r = Cli(args);
    QCOMPARE(r.code, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
}

void TestCli::readingMatchesTheGenerator_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("view");
    QTest::addColumn<bool>("developing");
    QTest::addColumn<bool>("guidance");
    QTest::newRow("plain") << QStringList{"reading", "789968"} << false << false << false;
    QTest::newRow("developing") << QStringList{"reading", "789968", "--developing"} << false << true << false;
    QTest::newRow("guidance") << QStringList{"reading", "--developing", "--guidance", "999999"} << false << true << true;
    QTest::newRow("view") << QStringList{"reading", "787878", "--view"} << true << false << false;
}

void TestCli::readingMatchesTheGenerator()
{
    QFETCH(QStringList, args);
    QFETCH(bool, view);
    QFETCH(bool, developing);
    QFETCH(bool, guidance);
    HexagramLines lines;
    for (const QString &a : args)
        HexagramLines::parseDigits(a, lines);
    QStringList expected;
    if (view)
        GenerateReading(InterpretationCorpus::Embedded(), FullReadingForm(lines), true, expected);
    else
        ConsultationReading(InterpretationCorpus::Embedded(), lines, ReadingOptions{developing, guidance}, expected);
    const CliRun r = Cli(args);
    QCOMPARE(r.code, 0);
    QVERIFY(!r.out.contains(u'\r'));
    QCOMPARE(r.out, expected.join(u'\n') + u'\n');
}

void TestCli::saveAndOpenFiles()
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("a.txt")), secret = dir.filePath(QStringLiteral("a.txg"));
    const QByteArray text = QStringLiteral("CHHEX:789968\nOtázka: Kam?\n\nkonec\n").toUtf8();
    QCOMPARE(Cli({QStringLiteral("save"), plain}, text).code, 0);
    QFile f(plain);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("CHHEX:789968\r\nOt\xe1zka: Kam?\r\n\r\nkonec\r\n"));
    CliRun r = Cli({QStringLiteral("open"), plain});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.toUtf8(), text);

    QCOMPARE(Cli({QStringLiteral("save"), secret, QStringLiteral("--password"), QStringLiteral(" klíč ")}, text).code, 0);
    r = Cli({QStringLiteral("open"), secret, QStringLiteral("--password"), QStringLiteral("klíč")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.toUtf8(), text);
    r = Cli({QStringLiteral("open"), secret, QStringLiteral("--password"), QStringLiteral("Klíč")});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.err, QStringLiteral("Chybné heslo.\n"));
    r = Cli({QStringLiteral("save"), secret}, text);
    QCOMPARE(r.code, 1);
    QCOMPARE(r.err, QStringLiteral("Soubor nelze uložit. Nebylo zadáno heslo.\n"));
    r = Cli({QStringLiteral("save"), plain}, QStringLiteral("jin ☯\n").toUtf8());
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("☯")));
    QCOMPARE(Cli({QStringLiteral("open"), dir.filePath(QStringLiteral("none.txt"))}).code, 1);
    QCOMPARE(Cli({QStringLiteral("open")}).code, 2);
}

void TestCli::helpIsAnAnswer_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("help") << QStringList{"help"};
    QTest::newRow("-h") << QStringList{"-h"};
    QTest::newRow("after a command") << QStringList{"notes", "get", "--help"};
}

void TestCli::helpIsAnAnswer()
{
    QFETCH(QStringList, args);
    const CliRun r = Cli(args);
    QCOMPARE(r.code, 0);
    QVERIFY(r.err.isEmpty());
    QVERIFY2(r.out.startsWith(QStringLiteral("použití: zendra-cli PŘÍKAZ")) && r.out.contains(QStringLiteral("--text")),
             qPrintable(r.out));
}

void TestCli::failuresNameTheFile_data()
{
    QTest::addColumn<QByteArray>("existing"); // the bytes of @in; none when empty
    QTest::addColumn<QStringList>("args");    // @ stands for the test's folder
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");     // the whole of stderr
    const QString missing = QStringLiteral("No such file or directory\n");
    QTest::newRow("protected, no password") << QByteArray("x") << QStringList{"open", "@a.txg"} << 2
                                            << "Soubor @a.txg je chráněn heslem. Zadejte heslo volbou --password.\n";
    QTest::newRow("protected, blank password") << QByteArray("x") << QStringList{"open", "@a.txg", "--password", " "} << 2
                                               << "Soubor @a.txg je chráněn heslem. Zadejte heslo volbou --password.\n";
    QTest::newRow("open, no file") << QByteArray() << QStringList{"open", "@none.txt"} << 1
                                   << "Soubor @none.txt nelze otevřít: " + missing;
    QTest::newRow("save, no folder") << QByteArray() << QStringList{"save", "@no/a.txt"} << 1
                                     << "Soubor @no/a.txt nelze uložit: " + missing;
    QTest::newRow("lzh, damaged") << QByteArray("\x10\0\0\0\xff\xff", 6) << QStringList{"lzh", "expand", "@in", "@out"}
                                  << 1 << "Soubor @in nelze rozbalit: Compressed file is corrupt\n";
    QTest::newRow("lzh, no folder") << QByteArray("abc") << QStringList{"lzh", "compress", "@in", "@no/out"} << 1
                                    << "Soubor @no/out nelze uložit: " + missing;
    QTest::newRow("notes, damaged") << QByteArray("  junk") << QStringList{"notes", "list", "@in"} << 1
                                    << "Soubor @in nelze přečíst: File is corrupt.\n";
    QTest::newRow("notes put, no folder") << QByteArray() << QStringList{"notes", "put", "@no/a.str", "777777"} << 1
                                          << "Soubor @no/a.str nelze uložit: " + missing;
}

void TestCli::failuresNameTheFile()
{
    QFETCH(QByteArray, existing);
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QFile in(dir.filePath(args[1] == QLatin1String("@a.txg") ? QStringLiteral("a.txg") : QStringLiteral("in")));
    QVERIFY(existing.isEmpty() || (in.open(QIODevice::WriteOnly) && in.write(existing) && in.flush()));
    args.replaceInStrings(QStringLiteral("@"), dir.path() + u'/');
    const CliRun r = Cli(args, "text\n");
    QCOMPARE(r.code, code);
    QCOMPARE(r.err, message.replace(u'@', dir.path() + u'/'));
}

void TestCli::noteAsText()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Poznamky.str"));
    // A note as the notes window stores it: Windows-1250, CR LF between lines.
    const QByteArray stored("Pozn\xe1mka\r\nk\xf9\xf2\r\n\xa0konec");
    QCOMPARE(Cli({"notes", "put", file, "777777"}, stored).code, 0);
    QCOMPARE(Cli({"notes", "get", file, "777777", "--text"}).out, QStringLiteral("Poznámka\nkůň\n\u00A0konec"));
    QCOMPARE(Cli({"notes", "list", file, "--text"}).code, 2);
}

QTEST_APPLESS_MAIN(TestCli)
#include "tst_cli.moc"
