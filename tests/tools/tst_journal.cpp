// The journal's logic: header times in the forms desktops write, what a
// consultation's lines yield, a folder read with and without its password,
// and the chi-square of the line values against figures worked out by hand.

#include "files/ConsultationFile.h"
#include "tools/Journal.h"
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <numeric>

using namespace Qt::StringLiterals;
using Journal::Outcome;

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void Save(const QString &path, const QStringList &lines, const QString &password = {})
{
    Write(path, ConsultationFile::SavedForm(path, lines, password));
}

QString OutcomeName(Outcome o)
{
    switch (o) {
    case Outcome::Read: return u"read"_s;
    case Outcome::NoMarker: return u"no marker"_s;
    case Outcome::Locked: return u"locked"_s;
    case Outcome::Unreadable: return u"unreadable"_s;
    }
    return {};
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
private slots:
    void headerTime_data();
    void headerTime();
    void entryOfLines_data();
    void entryOfLines();
    void folder_data();
    void folder();
    void counts();
    void fairness_data();
    void fairness();
};

void TestJournal::headerTime_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QDateTime>("when");
    const QDateTime dec7(QDate(2026, 12, 7), QTime(16, 20, 5));
    QTest::newRow("Czech, spaced") << "cs_CZ" << "7. 12. 2026, 16:20:05" << dec7;
    QTest::newRow("Czech as the program writes it") << "cs_CZ" << "07.12.26, 16:20:05" << dec7;
    QTest::newRow("Czech, four-digit year") << "cs_CZ" << "07.12.2026, 16:20:05" << dec7;
    QTest::newRow("ISO with a comma") << "cs_CZ" << "2026-12-07, 16:20:05" << dec7;
    QTest::newRow("ISO with T") << "cs_CZ" << "2026-12-07T16:20:05" << dec7;
    QTest::newRow("ISO without seconds")
        << "cs_CZ" << "2026-12-07 16:20" << QDateTime(QDate(2026, 12, 7), QTime(16, 20));
    QTest::newRow("no locale") << "C" << "7 Dec 2026, 16:20:05" << dec7;
    QTest::newRow("spaces around") << "C" << "  7. 12. 2026, 16:20:05 " << dec7;
    QTest::newRow("American, afternoon") << "en_US" << "12/7/26, 4:20:05 PM" << dec7;
    QTest::newRow("American, midnight")
        << "en_US" << "12/7/26, 12:00:00 AM" << QDateTime(QDate(2026, 12, 7), QTime(0, 0));
    QTest::newRow("British, day first") << "en_GB" << "07/12/2026, 16:20:05" << dec7;
    QTest::newRow("empty") << "cs_CZ" << "" << QDateTime();
    QTest::newRow("words") << "cs_CZ" << "Ráno: před cestou" << QDateTime();
    QTest::newRow("date alone") << "cs_CZ" << "7. 12. 2026" << QDateTime();
    QTest::newRow("no such day") << "cs_CZ" << "31. 11. 2026, 16:20:05" << QDateTime();
    QTest::newRow("no such hour") << "cs_CZ" << "7. 12. 2026, 24:20:05" << QDateTime();
    QTest::newRow("thirteen o'clock PM") << "en_US" << "12/7/26, 13:20:05 PM" << QDateTime();
    QTest::newRow("text after the time") << "cs_CZ" << "7. 12. 2026, 16:20:05 ráno" << QDateTime();
    QTest::newRow("three-digit year") << "cs_CZ" << "7. 12. 226, 16:20:05" << QDateTime();
}

void TestJournal::headerTime()
{
    QFETCH(QString, locale);
    QFETCH(QString, header);
    QFETCH(QDateTime, when);
    const QLocale before;
    QLocale::setDefault(locale == u"C"_s ? QLocale::c() : QLocale(locale));
    const QDateTime read = Journal::HeaderTime(header);
    QLocale::setDefault(before);
    QCOMPARE(read, when);
}

void TestJournal::entryOfLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("isEntry");
    QTest::addColumn<int>("hexagram");
    QTest::addColumn<int>("developing");
    QTest::addColumn<QList<int>>("changing");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("dated");

    const QString header = u"7. 12. 2026, 16:20:05"_s;
    // 789968: lower yang-yin-yang is fire, upper yang-yin-yin thunder: 55;
    // lines 3, 4 and 5 change, giving thunder below water: 3.
    QTest::newRow("consultation as written")
        << QStringList{u"CHHEX:789968"_s, header, u"Otázka: Půjdu?"_s, u"Hromové světlo"_s} << true << 55 << 3
        << QList<int>{3, 4, 5} << header << u"Půjdu?"_s << true;
    QTest::newRow("nothing changes")
        << QStringList{u"CHHEX:777777"_s, header, u"Otázka: Kam?"_s} << true << 1 << 0 << QList<int>{} << header
        << u"Kam?"_s << true;
    QTest::newRow("all old yin") << QStringList{u"CHHEX:666666"_s, header, u"Otázka:\u00A0 tiše \u00A0"_s} << true
                                 << 2 << 1 << QList<int>{1, 2, 3, 4, 5, 6} << header << u"tiše"_s << true;
    QTest::newRow("header removed by the user")
        << QStringList{u"CHHEX:999999"_s, u"Otázka: bez data"_s} << true << 1 << 2
        << QList<int>{1, 2, 3, 4, 5, 6} << "" << u"bez data"_s << false;
    QTest::newRow("question removed, header not a date")
        << QStringList{u"CHHEX:888888"_s, u"ráno"_s, u"text"_s} << true << 2 << 0 << QList<int>{} << u"ráno"_s << ""
        << false;
    QTest::newRow("marker alone") << QStringList{u"CHHEX:787878"_s} << true << 63 << 0 << QList<int>{} << "" << ""
                                  << false;
    QTest::newRow("damaged marker") << QStringList{u"CHHEX:78996"_s, header, u"Otázka: x"_s} << false << 0 << 0
                                    << QList<int>{} << "" << "" << false;
    QTest::newRow("digit out of range") << QStringList{u"CHHEX:789958"_s, header} << false << 0 << 0
                                        << QList<int>{} << "" << "" << false;
    QTest::newRow("no marker") << QStringList{header, u"Otázka: x"_s} << false << 0 << 0 << QList<int>{} << ""
                               << "" << false;
    QTest::newRow("marker below the first line")
        << QStringList{u"poznámka"_s, u"CHHEX:777777"_s} << false << 0 << 0 << QList<int>{} << "" << "" << false;
    QTest::newRow("no lines") << QStringList{} << false << 0 << 0 << QList<int>{} << "" << "" << false;
}

void TestJournal::entryOfLines()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, isEntry);
    const std::optional<Journal::Entry> e = Journal::EntryOfLines(lines);
    QCOMPARE(e.has_value(), isEntry);
    if (!e)
        return;
    QTEST(e->hexagram, "hexagram");
    QTEST(e->developing, "developing");
    QTEST(Journal::ChangingPositions(e->cast), "changing");
    QTEST(e->header, "header");
    QTEST(e->question, "question");
    QTEST(e->when.isValid(), "dated");
}

void TestJournal::folder_data()
{
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("results"); // name, outcome, hexagram

    // The folder built in folder(): see there.
    const QStringList top{u"a.txt read 1"_s,        u"b.txt read 55"_s, u"c.txt no marker"_s,
                          u"E.TXT locked"_s,        u"gone.txt unreadable"_s,
                          u"notes.txt no marker"_s, u"z.txg read 2"_s};
    QStringList locked = top;
    locked.replace(top.indexOf(u"z.txg read 2"_s), u"z.txg locked"_s);
    QTest::newRow("protected without a key") << false << "" << locked;
    QTest::newRow("protected with its key") << false << "tajné" << top;
    QTest::newRow("protected with another key") << false << "jiné" << locked;
    QStringList deep = top;
    deep.insert(top.indexOf(u"z.txg read 2"_s), u"sub/f.txt read 1"_s);
    QTest::newRow("with subfolders") << true << "tajné" << deep;
}

void TestJournal::folder()
{
    QFETCH(bool, subfolders);
    QFETCH(QString, key);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString header = u"7. 12. 2026, 16:20:05"_s;
    Save(dir.filePath(u"b.txt"_s), {u"CHHEX:789968"_s, header, u"Otázka: druhá"_s});
    Save(dir.filePath(u"a.txt"_s), {u"CHHEX:777777"_s, header, u"Otázka: první"_s});
    Save(dir.filePath(u"c.txt"_s), {u"CHHEX:7799"_s, header, u"Otázka: poškozená"_s});
    Save(dir.filePath(u"notes.txt"_s), {u"jen poznámky"_s});
    Save(dir.filePath(u"z.txg"_s), {u"CHHEX:888888"_s, header, u"Otázka: tajná"_s}, u"tajné"_s);
    // Plain text, but only "*.txt" is plain: read as protected.
    Write(dir.filePath(u"E.TXT"_s), ConsultationFile::TextForm({u"CHHEX:777777"_s}));
    QVERIFY(dir.mkpath(u"sub"_s));
    Save(dir.filePath(u"sub/f.txt"_s), {u"CHHEX:999999"_s, header, u"Otázka: hlubší"_s});
    QVERIFY(dir.mkpath(u"folder.txt"_s)); // no file, never listed
    Write(dir.filePath(u"other.doc"_s), ConsultationFile::TextForm({u"CHHEX:777777"_s}));
    QVERIFY(QFile::link(dir.filePath(u"missing"_s), dir.filePath(u"gone.txt"_s)));

    QStringList results;
    for (const QString &path : Journal::Candidates(tmp.path(), subfolders)) {
        const Journal::FileResult r = Journal::ReadFileEntry(tmp.path(), path, key);
        QCOMPARE(r.entry.path, path);
        QCOMPARE(r.entry.isProtected, path.endsWith(u".txg"_s) || path.endsWith(u".TXT"_s));
        QString line = r.entry.name + u' ' + OutcomeName(r.outcome);
        if (r.outcome == Outcome::Read)
            line += u' ' + QString::number(r.entry.hexagram);
        results << line;
    }
    QTEST(results, "results");

    // Relative folder names give the same names.
    const QString relative = QDir(QDir::currentPath()).relativeFilePath(tmp.path());
    const QStringList paths = Journal::Candidates(relative, false);
    QVERIFY(!paths.isEmpty());
    QCOMPARE(Journal::ReadFileEntry(relative, paths.first(), key).entry.name, u"a.txt"_s);

    // An empty folder and a missing one hold no candidates.
    QVERIFY(dir.mkpath(u"empty"_s));
    QVERIFY(Journal::Candidates(dir.filePath(u"empty"_s), subfolders).isEmpty());
    QVERIFY(Journal::Candidates(dir.filePath(u"none"_s), subfolders).isEmpty());
}

void TestJournal::counts()
{
    QList<Journal::Entry> entries;
    for (const QString &marker : {u"CHHEX:777777"_s, u"CHHEX:999999"_s, u"CHHEX:789968"_s, u"CHHEX:666666"_s}) {
        const std::optional<Journal::Entry> e = Journal::EntryOfLines({marker});
        QVERIFY(e);
        entries << *e;
    }
    // Sixes: 1 + 6, sevens 6 + 1, eights 2, nines 6 + 2.
    QCOMPARE(Journal::CountValues(entries), (Journal::ValueCounts{7, 7, 2, 8}));
    const std::array<int, 64> hexagrams = Journal::CountHexagrams(entries);
    QCOMPARE(hexagrams[0], 2);
    QCOMPARE(hexagrams[1], 1);
    QCOMPARE(hexagrams[54], 1);
    QCOMPARE(std::accumulate(hexagrams.begin(), hexagrams.end(), 0), 4);
    QCOMPARE(Journal::CountValues({}), (Journal::ValueCounts{}));
}

void TestJournal::fairness_data()
{
    QTest::addColumn<Journal::ValueCounts>("counts");
    QTest::addColumn<double>("chi2");
    // p lies between two values of the chi-square table for 3 degrees of
    // freedom (upper-tail critical values 0.115 at 0.99, 0.584 at 0.90,
    // 2.366 at 0.50, 7.815 at 0.05, 9.348 at 0.025, 11.345 at 0.01,
    // 12.838 at 0.005, 16.266 at 0.001, 17.730 at 0.0005).
    QTest::addColumn<double>("pAbove");
    QTest::addColumn<double>("pBelow");
    QTest::addColumn<QString>("sentence");

    const QString tooFew = u"Hodů je zatím příliš málo na to, aby se dalo říct, zda mince padají poctivě; "
                           u"spolehlivý úsudek dá až deset a více konzultací."_s;
    const QString fair = u"Hody odpovídají poctivým mincím: odchylky od očekávaných počtů jsou tak malé, "
                         u"jaké běžně přináší sama náhoda."_s;
    const QString slight = u"Hody se od poctivých mincí mírně odchylují; může jít o náhodu, ale vyplatí se "
                           u"sledovat, zda odchylka s dalšími konzultacemi zmizí."_s;
    const QString clear = u"Hody se od poctivých mincí zřetelně odchylují a náhoda to vysvětluje jen stěží, "
                          u"proto stojí za to prověřit mince nebo způsob házení."_s;

    QTest::newRow("nothing") << Journal::ValueCounts{0, 0, 0, 0} << 0.0 << 1.0 << 1.0 << tooFew;
    // n = 54, expected 6.75, 20.25, 20.25, 6.75:
    // 6.75 + 20.25 + 20.25 + 47.25²/6.75 (= 330.75) = 378, yet too few values.
    QTest::newRow("far off but too few") << Journal::ValueCounts{0, 0, 0, 54} << 378.0 << 0.0 << 1e-9 << tooFew;
    // n = 59, one short of the fewest.
    QTest::newRow("59 values") << Journal::ValueCounts{7, 22, 22, 8} << -1.0 << 0.0 << 1.0 << tooFew;
    // n = 60, expected 7.5, 22.5, 22.5, 7.5: 2 × 0.25/7.5 + 2 × 0.25/22.5 = 0.0889.
    QTest::newRow("60 values, fair") << Journal::ValueCounts{8, 22, 22, 8} << 0.088889 << 0.99 << 1.0 << fair;
    // n = 80, exactly the expected 10, 30, 30, 10.
    QTest::newRow("exactly fair") << Journal::ValueCounts{10, 30, 30, 10} << 0.0 << 1.0 << 1.0 << fair;
    // n = 100, expected 12.5, 37.5, 37.5, 12.5:
    // 0.25/12.5 + 0.25/37.5 + 6.25/37.5 + 6.25/12.5 = 0.02 + 0.00667 + 0.16667 + 0.5 = 0.69333.
    QTest::newRow("near fair") << Journal::ValueCounts{12, 38, 40, 10} << 0.693333 << 0.5 << 0.9 << fair;
    // n = 80, expected 10, 30, 30, 10: 64/10 + 16/30 + 0 + 16/10 = 8.5333.
    QTest::newRow("slight, near 5 %") << Journal::ValueCounts{18, 26, 30, 6} << 8.533333 << 0.025 << 0.05
                                      << slight;
    // 81/10 + 25/30 + 0 + 16/10 = 10.5333.
    QTest::newRow("slight, near 1 %") << Journal::ValueCounts{19, 25, 30, 6} << 10.533333 << 0.01 << 0.025
                                      << slight;
    // 100/10 + 36/30 + 0 + 16/10 = 12.8.
    QTest::newRow("clear, just under 1 %") << Journal::ValueCounts{20, 24, 30, 6} << 12.8 << 0.005 << 0.01
                                           << clear;
    // n = 100: 56.25/12.5 + 306.25/37.5 + 6.25/37.5 + 56.25/12.5 = 4.5 + 8.1667 + 0.1667 + 4.5 = 17.3333.
    QTest::newRow("clear") << Journal::ValueCounts{20, 20, 40, 20} << 17.333333 << 0.0005 << 0.001 << clear;
    // Years of casting: n = 60,000, expected 7,500, 22,500, 22,500, 7,500:
    // 2 × 100²/7,500 + 2 × 100²/22,500 = 2.6667 + 0.8889 = 3.5556.
    QTest::newRow("many, fair") << Journal::ValueCounts{7600, 22400, 22400, 7600} << 3.555556 << 0.05 << 0.5
                                << fair;
}

void TestJournal::fairness()
{
    QFETCH(Journal::ValueCounts, counts);
    QFETCH(double, chi2);
    QFETCH(double, pAbove);
    QFETCH(double, pBelow);
    const Journal::Fairness f = Journal::FairnessOf(counts);
    QCOMPARE(f.values, counts[0] + counts[1] + counts[2] + counts[3]);
    if (chi2 >= 0)
        QVERIFY2(qAbs(f.chi2 - chi2) < 1e-5, qPrintable(QString::number(f.chi2)));
    QVERIFY2(f.p >= pAbove && f.p <= pBelow, qPrintable(QString::number(f.p)));
    QTEST(f.sentence, "sentence");
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
