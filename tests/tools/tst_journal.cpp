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
    QTest::addColumn<QString>("locale"); // the desktop's, which orders slashed dates
    QTest::addColumn<QString>("header");
    QTest::addColumn<QDateTime>("when");
    const QDateTime dec7(QDate(2026, 12, 7), QTime(16, 20, 5)), none;
    const auto row = [](const char *name, const char *locale, const QString &header, const QDateTime &when) {
        QTest::newRow(name) << QString::fromLatin1(locale) << header << when;
    };
    row("Czech, spaced", "cs_CZ", u"  7. 12. 2026, 16:20:05 "_s, dec7);
    row("Czech as the program writes it", "cs_CZ", u"07.12.26, 16:20:05"_s, dec7);
    row("ISO with T", "cs_CZ", u"2026-12-07T16:20:05"_s, dec7);
    row("ISO, no seconds", "cs_CZ", u"2026-12-07 16:20"_s, QDateTime(QDate(2026, 12, 7), QTime(16, 20)));
    row("no locale", "C", u"7 Dec 2026, 16:20:05"_s, dec7);
    row("American", "en_US", u"12/7/26, 4:20:05 PM"_s, dec7);
    row("American midnight", "en_US", u"12/7/26, 12:00:00 AM"_s, QDateTime(QDate(2026, 12, 7), QTime(0, 0)));
    row("British", "en_GB", u"07/12/2026, 16:20:05"_s, dec7);
    row("date alone", "cs_CZ", u"7. 12. 2026"_s, none);
    row("no such day", "cs_CZ", u"31. 11. 2026, 16:20:05"_s, none);
    row("13 PM", "en_US", u"12/7/26, 13:20:05 PM"_s, none);
    row("text after the time", "cs_CZ", u"7. 12. 2026, 16:20:05 ráno"_s, none);
    row("three-digit year", "cs_CZ", u"7. 12. 226, 16:20:05"_s, none);
}

void TestJournal::headerTime()
{
    QFETCH(QString, locale);
    QFETCH(QString, header);
    const QLocale before;
    QLocale::setDefault(locale == u"C"_s ? QLocale::c() : QLocale(locale));
    const QDateTime read = Journal::HeaderTime(header);
    QLocale::setDefault(before);
    QTEST(read, "when");
}

void TestJournal::entryOfLines_data()
{
    QTest::addColumn<QString>("lines");
    // "hexagram developing changing-positions|header|question|dated", or
    // nothing when the lines are no consultation.
    QTest::addColumn<QString>("entry");
    // 789968: lower yang-yin-yang is fire, upper yang-yin-yin thunder: 55;
    // lines 3, 4 and 5 change, giving thunder below water: 3.
    QTest::newRow("as written") << u"CHHEX:789968\n7. 12. 2026, 16:20:05\nOtázka: Půjdu?\nText"_s
                                << u"55 3 345|7. 12. 2026, 16:20:05|Půjdu?|dated"_s;
    QTest::newRow("nothing changes") << u"CHHEX:777777\n07.12.26, 16:20:05\nOtázka:\u00A0 Kam? \u00A0"_s
                                     << u"1 0 |07.12.26, 16:20:05|Kam?|dated"_s;
    QTest::newRow("header removed") << u"CHHEX:999999\nOtázka: bez data"_s << u"1 2 123456||bez data|"_s;
    QTest::newRow("question removed") << u"CHHEX:666666\nráno\ntext"_s << u"2 1 123456|ráno||"_s;
    QTest::newRow("marker alone") << u"CHHEX:787878"_s << u"63 0 |||"_s;
    QTest::newRow("damaged marker") << u"CHHEX:78996\n7. 12. 2026, 16:20:05\nOtázka: x"_s << "";
    QTest::newRow("digit out of range") << u"CHHEX:789958"_s << "";
    QTest::newRow("marker below the first line") << u"poznámka\nCHHEX:777777"_s << "";
    QTest::newRow("empty") << "" << "";
}

void TestJournal::entryOfLines()
{
    QFETCH(QString, lines);
    const std::optional<Journal::Entry> e = Journal::EntryOfLines(lines.isEmpty() ? QStringList() : lines.split(u'\n'));
    QString got;
    if (e) {
        QString changing;
        for (int p : Journal::ChangingPositions(e->cast))
            changing += QString::number(p);
        got = u"%1 %2 %3|%4|%5|%6"_s.arg(e->hexagram).arg(e->developing).arg(changing, e->header, e->question,
                                                                              e->when.isValid() ? u"dated"_s : QString());
    }
    QTEST(got, "entry");
}

void TestJournal::folder_data()
{
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("results"); // name, outcome, hexagram, question

    // The folder built in folder(): see there.
    // 696969: lower yin-yang-yin is water, upper yang-yin-yang fire: 64.
    const QStringList top{u"a.txt read 1 první"_s,  u"b.txt read 55 druhá"_s,    u"c.txt no marker"_s,
                          u"E.TXT locked"_s,         u"gone.txt unreadable"_s,   u"late.txt read 64 pozdní"_s,
                          u"notes.txt no marker"_s, u"z.txg read 2 tajná"_s};
    QStringList locked = top;
    locked.replace(top.indexOf(u"z.txg read 2 tajná"_s), u"z.txg locked"_s);
    QTest::newRow("protected without a key") << false << "" << locked;
    QTest::newRow("protected with its key") << false << "tajné" << top;
    QTest::newRow("protected with another key") << false << "jiné" << locked;
    QStringList deep = top;
    deep.insert(top.indexOf(u"z.txg read 2 tajná"_s), u"sub/f.txt read 1 hlubší"_s);
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
    // The question well below the first lines, after the user's notes.
    QStringList late{u"CHHEX:696969"_s, header};
    for (int i = 0; i < 20; ++i)
        late << u"poznámka %1"_s.arg(i);
    Save(dir.filePath(u"late.txt"_s), late << u"Otázka: pozdní"_s);
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
            line += u' ' + QString::number(r.entry.hexagram) + u' ' + r.entry.question;
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
    for (const QString &marker : {u"CHHEX:777777"_s, u"CHHEX:999999"_s, u"CHHEX:789968"_s, u"CHHEX:666666"_s})
        entries << Journal::EntryOfLines({marker}).value();
    // Sixes 1 + 6, sevens 6 + 1, eights 2, nines 6 + 2; hexagrams 1, 1, 55, 2.
    QCOMPARE(Journal::CountValues(entries), (Journal::ValueCounts{7, 7, 2, 8}));
    std::array<int, 64> hexagrams{};
    hexagrams[0] = 2, hexagrams[1] = 1, hexagrams[54] = 1;
    QCOMPARE(Journal::CountHexagrams(entries), hexagrams);
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
    // n = 59, one short of the fewest; expected 7.375, 22.125, 22.125, 7.375:
    // 7.375 + 22.125 + 22.125 + 51.625²/7.375 (= 361.375) = 413, yet too few.
    QTest::newRow("59 values far off") << Journal::ValueCounts{0, 0, 0, 59} << 413.0 << 0.0 << 1e-9 << tooFew;
    // n = 60, expected 7.5, 22.5, 22.5, 7.5: 2 × 0.25/7.5 + 2 × 0.25/22.5 = 0.0889.
    QTest::newRow("60 values") << Journal::ValueCounts{8, 22, 22, 8} << 0.088889 << 0.99 << 1.0 << fair;
    // n = 80, expected 10, 30, 30, 10 from here on.
    QTest::newRow("exactly fair") << Journal::ValueCounts{10, 30, 30, 10} << 0.0 << 1.0 << 1.0 << fair;
    // 64/10 + 16/30 + 0 + 16/10 = 8.5333.
    QTest::newRow("slight, near 5 %") << Journal::ValueCounts{18, 26, 30, 6} << 8.533333 << 0.025 << 0.05 << slight;
    // 81/10 + 25/30 + 0 + 16/10 = 10.5333.
    QTest::newRow("slight, near 1 %") << Journal::ValueCounts{19, 25, 30, 6} << 10.533333 << 0.01 << 0.025 << slight;
    // 100/10 + 36/30 + 0 + 16/10 = 12.8.
    QTest::newRow("clear, just past 1 %") << Journal::ValueCounts{20, 24, 30, 6} << 12.8 << 0.005 << 0.01 << clear;
    // n = 100, expected 12.5, 37.5, 37.5, 12.5:
    // 0.25/12.5 + 0.25/37.5 + 6.25/37.5 + 6.25/12.5 = 0.02 + 0.00667 + 0.16667 + 0.5 = 0.69333.
    QTest::newRow("near fair") << Journal::ValueCounts{12, 38, 40, 10} << 0.693333 << 0.5 << 0.9 << fair;
    // 56.25/12.5 + 306.25/37.5 + 6.25/37.5 + 56.25/12.5 = 4.5 + 8.1667 + 0.1667 + 4.5 = 17.3333.
    QTest::newRow("clear") << Journal::ValueCounts{20, 20, 40, 20} << 17.333333 << 0.0005 << 0.001 << clear;
}

void TestJournal::fairness()
{
    QFETCH(Journal::ValueCounts, counts);
    QFETCH(double, chi2);
    QFETCH(double, pAbove);
    QFETCH(double, pBelow);
    const Journal::Fairness f = Journal::FairnessOf(counts);
    QCOMPARE(f.values, counts[0] + counts[1] + counts[2] + counts[3]);
    QVERIFY2(qAbs(f.chi2 - chi2) < 1e-5, qPrintable(QString::number(f.chi2)));
    QVERIFY2(f.p >= pAbove && f.p <= pBelow, qPrintable(QString::number(f.p)));
    QTEST(f.sentence, "sentence");
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
