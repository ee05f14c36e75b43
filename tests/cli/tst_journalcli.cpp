// zendra-cli journal and stats on a folder built here: the lines and their
// order, protected files with and without their password, an empty and a
// missing folder, and wrong usage.

#include "files/ConsultationFile.h"
#include "support/CliRun.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kTooFew = u"Hodů je zatím příliš málo na to, aby se dalo říct, zda mince padají poctivě; "
                        u"spolehlivý úsudek dá až deset a více konzultací.\n"_s;

void Save(const QString &path, const QStringList &lines, const QString &password = {})
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ConsultationFile::SavedForm(path, lines, password));
}

} // namespace

class TestJournalCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void commands_data();
    void commands();

private:
    QTemporaryDir m_dir;
};

void TestJournalCli::initTestCase()
{
    const QDir dir(m_dir.path());
    Save(dir.filePath(u"b.txt"_s), {u"CHHEX:789968"_s, u"07.12.26, 16:20:05"_s, u"Otázka: Půjdu\tven?"_s, u"…"_s});
    Save(dir.filePath(u"a.txt"_s), {u"CHHEX:777777"_s, u"7. 12. 2026, 16:20:05"_s, u"Otázka: Kam?"_s});
    Save(dir.filePath(u"d.txg"_s), {u"CHHEX:666666"_s, u"2026-12-07 09:00:00"_s, u"Otázka: Zůstat?"_s}, u"tajné"_s);
    QVERIFY(dir.mkpath(u"sub"_s));
    Save(dir.filePath(u"sub/e.txt"_s), {u"CHHEX:999999"_s, u"ráno"_s, u"Otázka: Hlouběji?"_s});
    QVERIFY(dir.mkpath(u"empty"_s));
}

void TestJournalCli::commands_data()
{
    QTest::addColumn<QString>("args"); // split at spaces; DIR stands for the folder built above
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString a = u"a.txt\t7. 12. 2026, 16:20:05\t1\t-\tKam?\n"_s;
    const QString b = u"b.txt\t07.12.26, 16:20:05\t55\t3\tPůjdu ven?\n"_s;
    const QString d = u"d.txg\t2026-12-07 09:00:00\t2\t1\tZůstat?\n"_s;
    const QString e = u"sub/e.txt\tráno\t1\t2\tHlouběji?\n"_s;
    QTest::newRow("journal, password") << "journal DIR --password tajné" << 0 << a + b + d << "";
    QTest::newRow("journal, wrong password")
        << "journal --password jiné DIR" << 1 << a + b << u"Chybné heslo v souboru: DIR/d.txg\n"_s;
    QTest::newRow("journal, subfolders, no password") << "journal DIR --subfolders" << 0 << a + b + e << "";
    // 777777, 789968 and 666666: sixes 1 + 6, sevens 6 + 1, eights 2, nines 2;
    // n = 18, expected 2.25, 6.75, 6.75, 2.25:
    // 4.75²/2.25 + 0.25²/6.75 + 4.75²/6.75 + 0.25²/2.25
    // = 10.0278 + 0.0093 + 3.3426 + 0.0278 = 13.4074; p = 0.0038 from the
    // density integrated numerically (table: 12.838 at 0.005, 16.266 at 0.001).
    QTest::newRow("stats") << "stats DIR --password tajné" << 0
                           << u"6 7\n7 7\n8 2\n9 2\nchi2 13.4074 p 0.0038\n"_s + kTooFew << "";
    QTest::newRow("stats, empty folder")
        << "stats DIR/empty" << 0 << u"6 0\n7 0\n8 0\n9 0\nchi2 0.0000 p 1.0000\n"_s + kTooFew << "";
    QTest::newRow("missing folder") << "journal DIR/none" << 1 << "" << u"Adresář DIR/none neexistuje.\n"_s;
    QTest::newRow("password without a value")
        << "stats DIR --password" << 2 << ""
        << u"použití: zendra-cli journal ADRESÁŘ [--password HESLO] [--subfolders]\n"
           u"         zendra-cli stats ADRESÁŘ [--password HESLO] [--subfolders]\n"_s;
}

void TestJournalCli::commands()
{
    QFETCH(QString, args);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const CliRun run = Cli(args.replace(u"DIR"_s, m_dir.path()).split(u' '));
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, err.replace(u"DIR"_s, m_dir.path()));
    QTEST(run.code, "code");
}

QTEST_GUILESS_MAIN(TestJournalCli)
#include "tst_journalcli.moc"
