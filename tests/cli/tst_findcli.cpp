// zendra-cli find-book and find-files. find-book is checked against a
// plain search of the texts that "reading LINES --view" prints, walked in the
// book's search order as written out below; one phrase that opens every text
// at the same place anchors that search to a fixed answer.

#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include <QDir>
#include <QProcess>
#include <QTest>
#include "support/CliRun.h"
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString kNotFound = u"Zadaný text nebyl nalezen.\n"_s;

// The book's search order: hexagram numbers and their lines in full-reading form.
const QList<QPair<int, QString>> kSearchOrder = {
    {1, u"999999"_s},  {44, u"699999"_s}, {13, u"969999"_s}, {33, u"669999"_s}, {10, u"996999"_s}, {6, u"696999"_s},
    {25, u"966999"_s}, {12, u"666999"_s}, {9, u"999699"_s},  {57, u"699699"_s}, {37, u"969699"_s}, {53, u"669699"_s},
    {61, u"996699"_s}, {59, u"696699"_s}, {42, u"966699"_s}, {20, u"666699"_s}, {14, u"999969"_s}, {50, u"699969"_s},
    {30, u"969969"_s}, {56, u"669969"_s}, {38, u"996969"_s}, {64, u"696969"_s}, {21, u"966969"_s}, {35, u"666969"_s},
    {26, u"999669"_s}, {18, u"699669"_s}, {22, u"969669"_s}, {52, u"669669"_s}, {41, u"996669"_s}, {4, u"696669"_s},
    {27, u"966669"_s}, {23, u"666669"_s}, {43, u"999996"_s}, {28, u"699996"_s}, {49, u"969996"_s}, {31, u"669996"_s},
    {58, u"996996"_s}, {47, u"696996"_s}, {17, u"966996"_s}, {45, u"666996"_s}, {5, u"999696"_s},  {48, u"699696"_s},
    {63, u"969696"_s}, {39, u"669696"_s}, {60, u"996696"_s}, {29, u"696696"_s}, {3, u"966696"_s},  {8, u"666696"_s},
    {34, u"999966"_s}, {32, u"699966"_s}, {55, u"969966"_s}, {62, u"669966"_s}, {54, u"996966"_s}, {40, u"696966"_s},
    {51, u"966966"_s}, {16, u"666966"_s}, {11, u"999666"_s}, {46, u"699666"_s}, {36, u"969666"_s}, {15, u"669666"_s},
    {19, u"996666"_s}, {7, u"696666"_s},  {24, u"966666"_s}, {2, u"666666"_s}};

// The first place of phrase in text by the plainest means, or -1.
qsizetype PlainSearch(const QString &text, const QString &phrase, bool matchCase, bool words)
{
    const QString t = matchCase ? text : text.toLower(), p = matchCase ? phrase : phrase.toLower();
    for (qsizetype at = t.indexOf(p); at >= 0; at = t.indexOf(p, at + 1)) {
        const qsizetype end = at + p.size();
        if (!words || ((at == 0 || !t[at - 1].isLetterOrNumber()) && (end == t.size() || !t[end].isLetterOrNumber())))
            return at;
    }
    return -1;
}

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
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("words");
    QTest::newRow("a word of a few hexagrams") << u"vojsko"_s << false << false;
    QTest::newRow("capitals and spaces around") << u"  VOJSKO "_s << false << false;
    QTest::newRow("case kept") << u"Vojsko"_s << true << false;
    QTest::newRow("inside words too") << u"let"_s << false << false;
    QTest::newRow("whole words") << u"let"_s << false << true;
    QTest::newRow("every text at one place") << u"Nahoře:"_s << true << false;
    QTest::newRow("in no hexagram") << u"zlatý kapr"_s << false << false;
}

void TestFindCli::findBook()
{
    QFETCH(QString, phrase);
    QFETCH(bool, matchCase);
    QFETCH(bool, words);
    static const QStringList texts = [] {
        QStringList t;
        for (const auto &[number, lines] : kSearchOrder)
            t << Cli({u"reading"_s, lines, u"--view"_s}).out.chopped(1);
        return t;
    }();
    QString expected;
    for (int step = 0; step < 64; ++step) {
        const qsizetype at = PlainSearch(texts[step], phrase.trimmed(), matchCase, words);
        if (at >= 0)
            expected += u"%1 %2\n"_s.arg(kSearchOrder[step].first).arg(at);
    }
    if (phrase == u"Nahoře:"_s) {
        QCOMPARE(expected.count(u'\n'), 64);
        QCOMPARE(expected.count(u" 4\n"_s), 64); // after two empty lines and two spaces
    }
    QStringList args{u"find-book"_s, phrase};
    if (matchCase)
        args << u"--case"_s;
    if (words)
        args << u"--words"_s;
    const CliRun r = Cli(args);
    QCOMPARE(r.code, expected.isEmpty() ? 1 : 0);
    QCOMPARE(r.out, expected);
    QCOMPARE(r.err, expected.isEmpty() ? kNotFound : QString());
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
    const CliRun r = Cli(QStringList{u"find-files"_s, m_dir.path()} + args);
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
    const CliRun r = Cli(args);
    QCOMPARE(r.code, code);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestFindCli)
#include "tst_findcli.moc"
