// zendra-cli find-book and find-files. The expected hexagrams and offsets of
// find-book were worked out once from the texts that "reading LINES --view"
// prints, outside the program, while hexagrams 33-64 held placeholder texts:
// their hits are checked only for their order, so that writing those texts
// does not break this test.

#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int code;
    QString out;
    QString err;
};

Run Cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ZENDRA_CLI), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

const QString kNotFound = u"Zadaný text nebyl nalezen.\n"_s;

// Hexagram numbers in the book's search order.
const QList<int> kSearchOrder = {1,  44, 13, 33, 10, 6,  25, 12, 9,  57, 37, 53, 61, 59, 42, 20, 14, 50, 30, 56, 38, 64,
                                 21, 35, 26, 18, 22, 52, 41, 4,  27, 23, 43, 28, 49, 31, 58, 47, 17, 45, 5,  48, 63,
                                 39, 60, 29, 3,  8,  34, 32, 55, 62, 54, 40, 51, 16, 11, 46, 36, 15, 19, 7,  24, 2};
constexpr int kLastWritten = 32;

} // namespace

class TestFindCli : public QObject {
    Q_OBJECT
private slots:
    void findBook_data();
    void findBook();
    void findFiles_data();
    void findFiles();
    void wrongUsage_data();
    void wrongUsage();

private:
    QTemporaryDir m_dir;
};

void TestFindCli::findBook_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::newRow("three hexagrams in the book's order")
        << QStringList{u"vojsko"_s} << 0 << u"13 3786\n11 4330\n7 76\n"_s;
    QTest::newRow("capitals and spaces around") << QStringList{u"  VOJSKO "_s} << 0 << u"13 3786\n11 4330\n7 76\n"_s;
    QTest::newRow("case kept") << QStringList{u"Vojsko"_s, u"--case"_s} << 0 << u"7 76\n"_s;
    QTest::newRow("inside words too")
        << QStringList{u"let"_s} << 0
        << u"1 4218\n10 2324\n12 1131\n27 2904\n17 3343\n29 2061\n3 313\n32 1957\n11 2375\n24 4253\n"_s;
    QTest::newRow("whole words") << QStringList{u"--words"_s, u"let"_s} << 0 << u"1 4218\n27 2904\n24 4253\n"_s;
    QTest::newRow("in no hexagram") << QStringList{u"Nebezpečný"_s, u"--case"_s} << 1 << QString();
}

void TestFindCli::findBook()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, out);
    const Run r = Cli(QStringList{u"find-book"_s} + args);
    QCOMPARE(r.code, code);
    QCOMPARE(r.err, code ? kNotFound : QString());
    QString written;
    qsizetype lastStep = -1;
    for (const QString &line : r.out.split(u'\n', Qt::SkipEmptyParts)) {
        const int number = line.section(u' ', 0, 0).toInt();
        const qsizetype step = kSearchOrder.indexOf(number);
        QVERIFY2(step > lastStep, qPrintable(line));
        lastStep = step;
        if (number <= kLastWritten)
            written += line + u'\n';
    }
    QCOMPARE(written, out);
}

void TestFindCli::findFiles_data()
{
    QVERIFY(m_dir.isValid());
    const QDir d(m_dir.path());
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        ConsultationFile::WriteFile(d.filePath(name), bytes);
    };
    write(u"a.txt"_s, "CHHEX:789968\r\nOt\xE1zka: drak?\r\n");
    write(u"b.txt"_s, "nic\r\n");
    write(u"c.txg"_s, EncryptConsultation("Drak\r\n", u"tajné"_s));
    write(u"d.txg"_s, EncryptConsultation("drak\r\n", u"jiné"_s));
    write(u"E.TXT"_s, "drak\r\n"); // a capital extension is the protected form
    write(u"g.doc"_s, "drak\r\n");
    QVERIFY(d.mkdir(u"pod"_s));
    write(u"pod/f.txt"_s, "drak\r\n");

    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("errLines");
    const QString wrongD = u"Chybné heslo v souboru: "_s + d.filePath(u"d.txg"_s);
    const QString wrongE = u"Chybné heslo v souboru: "_s + d.filePath(u"E.TXT"_s);
    QTest::newRow("protected files need a password")
        << QStringList{u"drak"_s} << 0 << u"a.txt 8\n"_s << QStringList{};
    QTest::newRow("plain hits before protected ones")
        << QStringList{u"drak"_s, u"--password"_s, u"tajné"_s} << 0 << u"a.txt 8\nc.txg 0\n"_s
        << QStringList{wrongD, wrongE};
    QTest::newRow("case kept") << QStringList{u"--case"_s, u"Drak"_s, u"--password"_s, u"tajné"_s} << 0
                               << u"c.txg 0\n"_s << QStringList{wrongD, wrongE};
    QTest::newRow("whole words") << QStringList{u"dra"_s, u"--words"_s} << 1 << QString()
                                 << QStringList{kNotFound.chopped(1)};
    QTest::newRow("nothing") << QStringList{u"kapr"_s} << 1 << QString() << QStringList{kNotFound.chopped(1)};
}

void TestFindCli::findFiles()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QStringList, errLines);
    const Run r = Cli(QStringList{u"find-files"_s, m_dir.path()} + args);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, out);
    QStringList err = r.err.split(u'\n', Qt::SkipEmptyParts);
    err.sort();
    errLines.sort();
    QCOMPARE(err, errLines);
}

void TestFindCli::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("book: no phrase") << QStringList{u"find-book"_s} << 2;
    QTest::newRow("book: blank phrase") << QStringList{u"find-book"_s, u"   "_s} << 2;
    QTest::newRow("book: a password") << QStringList{u"find-book"_s, u"a"_s, u"--password"_s, u"x"_s} << 2;
    QTest::newRow("files: unknown option") << QStringList{u"find-files"_s, u"."_s, u"a"_s, u"--all"_s} << 2;
    QTest::newRow("files: no such folder") << QStringList{u"find-files"_s, u"/nikde/zadny"_s, u"a"_s} << 1;
}

void TestFindCli::wrongUsage()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const Run r = Cli(args);
    QCOMPARE(r.code, code);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestFindCli)
#include "tst_findcli.moc"
