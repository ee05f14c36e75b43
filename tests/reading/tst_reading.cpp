// The generator's exact output, on a synthetic book whose paragraphs name
// their place, so the sequences stay fixed while the real texts grow.

#include "reading/Corpus.h"
#include "reading/MarkerLine.h"
#include "reading/ReadingGenerator.h"
#include <QTest>

namespace {

QString Record(int n)
{
    QString s = QStringLiteral("[symbol]\nS%1\n[principle]\n  P%1a\n  P%1b\n[interpretation]\n  I%1\n").arg(n);
    for (int k = 1; k <= 6; ++k)
        s += QStringLiteral("[line %2]\nO%1.%2\n  U%1.%2\n").arg(n).arg(k);
    if (n <= 2)
        s += QStringLiteral("[all lines]\nO%1.all\n  U%1.all\n").arg(n);
    return s;
}

const InterpretationCorpus &Book()
{
    static const InterpretationCorpus book = [] {
        QMap<int, QString> records;
        for (int n = 1; n <= 64; ++n)
            records.insert(n, Record(n));
        return InterpretationCorpus::FromTexts(records, QStringLiteral("(Návod.)"));
    }();
    return book;
}

HexagramLines L(const char *digits)
{
    HexagramLines l;
    HexagramLines::parseDigits(QString::fromLatin1(digits), l);
    return l;
}

// The lines up to and including "  Výroky čar:" and its empty line.
QStringList Head(const QString &upper, const QString &lower, int n, const QString &title)
{
    return {QString(), QString(), QStringLiteral("  Nahoře:  ") + upper, QStringLiteral("  Dole:  ") + lower, QString(),
            QStringLiteral("       %1. Hexagram:  %2").arg(n).arg(title), QString(), QStringLiteral("  Symbol:"),
            QStringLiteral("S%1").arg(n), QString(), n == 24 ? QStringLiteral("  Vlastnosti:") : QStringLiteral("  Princip:"),
            QStringLiteral("  P%1a").arg(n), QStringLiteral("  P%1b").arg(n), QString(), QStringLiteral("  Výklad:"),
            QStringLiteral("  I%1").arg(n), QString(), QString(), QStringLiteral("  Výroky čar:"), QString()};
}

QStringList Entry(const QString &label, int n, const QString &k)
{
    return {label, QStringLiteral("  Obraz:"), QStringLiteral("O%1.%2").arg(n).arg(k), QStringLiteral("  Uplatnění:"),
            QStringLiteral("  U%1.%2").arg(n).arg(k), QString()};
}

const QString kHeaven = QStringLiteral("Nebe, tvořivá síla.");
const QString kEarth = QStringLiteral("Země, přijetí.");

} // namespace

class TestReading : public QObject {
    Q_OBJECT
private slots:
    void syntheticBookIsSound();
    void noChangingLine();
    void oneChangingLine();
    void severalChangingLinesBottomFirst();
    void allLinesOfOneAndTwo_data();
    void allLinesOfOneAndTwo();
    void headingsAndLabels_data();
    void headingsAndLabels();
    void woodTrigramLines_data();
    void woodTrigramLines();
    void developingPartEvenWithoutChange();
    void developingWithGuidance();
    void markerLine_data();
    void markerLine();
};

void TestReading::syntheticBookIsSound() { QCOMPARE(Book().defects(), QStringList()); }

void TestReading::noChangingLine()
{
    QStringList out{QStringLiteral("Otázka: ")};
    const QString heading = GenerateReading(Book(), L("777777"), false, out);
    QCOMPARE(heading, QStringLiteral("       1. Hexagram:  Tvoření."));
    QCOMPARE(out, QStringList{QStringLiteral("Otázka: ")} + Head(kHeaven, kHeaven, 1, QStringLiteral("Tvoření.")));
}

void TestReading::oneChangingLine()
{
    QStringList out;
    GenerateReading(Book(), L("888868"), false, out); // Earth, fifth line changing
    QCOMPARE(out, Head(kEarth, kEarth, 2, QStringLiteral("Vnímání."))
                      + Entry(QStringLiteral("Proměnná čára na pátém místě."), 2, QStringLiteral("5")));
}

void TestReading::severalChangingLinesBottomFirst()
{
    QStringList out;
    GenerateReading(Book(), L("978796"), false, out); // Lake doubled, lines 1, 5 and 6 changing
    const int n = HexagramNumberOf(L("978796"));
    QCOMPARE(n, 58);
    QStringList expected = Head(BookTables::TrigramText(UpperTrigram(L("978796")), n, true),
                                BookTables::TrigramText(LowerTrigram(L("978796")), n, false), n,
                                BookTables::Title(n) + u'.');
    expected += Entry(QStringLiteral("Proměnná čára na prvním místě, dole."), n, QStringLiteral("1"));
    expected += Entry(QStringLiteral("Proměnná čára na pátém místě."), n, QStringLiteral("5"));
    expected += Entry(QStringLiteral("Proměnná čára na šestém místě, nahoře."), n, QStringLiteral("6"));
    QCOMPARE(out, expected);
}

void TestReading::allLinesOfOneAndTwo_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<bool>("view");
    QTest::newRow("1 consultation") << "999999" << false;
    QTest::newRow("1 view") << "999999" << true;
    QTest::newRow("2 consultation") << "666666" << false;
    QTest::newRow("2 view") << "666666" << true;
}

void TestReading::allLinesOfOneAndTwo()
{
    QFETCH(QString, lines);
    QFETCH(bool, view);
    HexagramLines l;
    HexagramLines::parseDigits(lines, l);
    const int n = HexagramNumberOf(l);
    QStringList out;
    GenerateReading(Book(), l, view, out);
    const QString t = n == 1 ? kHeaven : kEarth;
    QStringList expected = Head(t, t, n, n == 1 ? QStringLiteral("Tvoření.") : QStringLiteral("Vnímání."));
    expected += Entry(QStringLiteral("Proměnná čára na všech místech."), n, QStringLiteral("all"));
    if (view) {
        for (int k = 1; k <= 6; ++k)
            expected += Entry(BookTables::LineLabel(n, k), n, QString::number(k));
    }
    QCOMPARE(out, expected);
}

void TestReading::headingsAndLabels_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("heading");
    QTest::newRow("7 without full stop") << 7 << "       7. Hexagram:  Vojsko";
    QTest::newRow("11") << 11 << "       11. Hexagram:  Prosperita (mír).";
    QTest::newRow("64") << 64 << "       64. Hexagram:  Před dokončením.";
    QTest::newRow("18") << 18 << "       18. Hexagram:  Rozklad (zkaženost).";
    QTest::newRow("59") << 59 << "       59. Hexagram:  Rozklad.";
}

void TestReading::headingsAndLabels()
{
    QFETCH(int, number);
    QFETCH(QString, heading);
    QCOMPARE(BookTables::Heading(number), heading);
    QStringList out;
    QCOMPARE(GenerateReading(Book(), FullReadingForm(LinesOfHexagram(number)), true, out), heading);
    QVERIFY(out.contains(heading));
    QCOMPARE(out.contains(QStringLiteral("  Vlastnosti:")), number == 24);
    QCOMPARE(BookTables::LineLabel(1, 1), QStringLiteral("Proměnná čára na prvním místě, úplně dole."));
    QCOMPARE(BookTables::LineLabel(2, 1), QStringLiteral("Proměnná čára na prvním místě, dole."));
    QStringList v24;
    GenerateReading(Book(), LinesOfHexagram(24), false, v24);
    QCOMPARE(v24[10], QStringLiteral("  Vlastnosti:"));
}

void TestReading::woodTrigramLines_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("46") << 46 << "  Nahoře:  Země, přijetí." << "  Dole:  Vítr, pronikání (dřevo).";
    QTest::newRow("48") << 48 << "  Nahoře:  Voda, propastné." << "  Dole:  Vítr, pronikání (dřevo).";
    QTest::newRow("50") << 50 << "  Nahoře:  Oheň, lpění." << "  Dole:  Vítr, pronikání (dřevo).";
    QTest::newRow("53") << 53 << "  Nahoře:  Vítr, pronikání (dřevo)." << "  Dole:  Hora, nehybnost.";
    QTest::newRow("57 stays wind") << 57 << "  Nahoře:  Vítr, pronikání." << "  Dole:  Vítr, pronikání.";
    QTest::newRow("20 stays wind") << 20 << "  Nahoře:  Vítr, pronikání." << "  Dole:  Země, přijetí.";
}

void TestReading::woodTrigramLines()
{
    QFETCH(int, number);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QStringList out;
    GenerateReading(Book(), LinesOfHexagram(number), false, out);
    QCOMPARE(out[2], upper);
    QCOMPARE(out[3], lower);
}

void TestReading::developingPartEvenWithoutChange()
{
    QStringList out;
    ReadingOptions options;
    options.developing = true;
    options.guidance = false;
    ConsultationReading(Book(), L("777777"), options, out);
    const QStringList head = Head(kHeaven, kHeaven, 1, QStringLiteral("Tvoření."));
    QStringList expected = head;
    expected << QString() << QString() << QStringLiteral("   Doplňkový (vývojový) hexagram:");
    expected += head;
    expected << QStringLiteral("Ve vývojovém hexagramu se k významu čar nepřihlíží.");
    QCOMPARE(out, expected);
}

void TestReading::developingWithGuidance()
{
    QStringList out;
    ReadingOptions options{true, true};
    const QString heading = ConsultationReading(Book(), L("999999"), options, out);
    QCOMPARE(heading, BookTables::Heading(2));
    QStringList expected = Head(kHeaven, kHeaven, 1, QStringLiteral("Tvoření."));
    expected += Entry(QStringLiteral("Proměnná čára na všech místech."), 1, QStringLiteral("all"));
    expected << QString() << QString() << QStringLiteral("   Doplňkový (vývojový) hexagram:") << QString()
             << QStringLiteral("(Návod.)");
    expected += Head(kEarth, kEarth, 2, QStringLiteral("Vnímání."));
    expected << QStringLiteral("Ve vývojovém hexagramu se k významu čar nepřihlíží.");
    QCOMPARE(out, expected);
    // The guidance note needs the developing part.
    QStringList plain;
    ConsultationReading(Book(), L("999999"), ReadingOptions{false, true}, plain);
    QVERIFY(!plain.contains(QStringLiteral("(Návod.)")));
}

void TestReading::markerLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("digits");
    QTest::newRow("valid") << "CHHEX:789968" << int(MarkerParse::Valid) << "789968";
    QTest::newRow("trailing text") << "CHHEX:789968 poznámka" << int(MarkerParse::Valid) << "789968";
    QTest::newRow("tag inside a line") << "ab CHHEX:777888" << int(MarkerParse::Valid) << "777888";
    QTest::newRow("too short") << "CHHEX:78996" << int(MarkerParse::Invalid) << "";
    QTest::newRow("a five") << "CHHEX:789958" << int(MarkerParse::Invalid) << "";
    QTest::newRow("twelve chars but tag late") << "abcCHHEX:789" << int(MarkerParse::Invalid) << "";
    QTest::newRow("no tag") << "Otázka: CHHE" << int(MarkerParse::NoMarker) << "";
    QTest::newRow("empty") << "" << int(MarkerParse::NoMarker) << "";
}

void TestReading::markerLine()
{
    QFETCH(QString, line);
    QFETCH(int, result);
    QFETCH(QString, digits);
    HexagramLines l;
    QCOMPARE(int(ParseMarkerLine(line, l)), result);
    if (result == int(MarkerParse::Valid))
        QCOMPARE(l.digits(), digits);
    QCOMPARE(MarkerLine(L("789968")), QStringLiteral("CHHEX:789968"));
}

QTEST_APPLESS_MAIN(TestReading)
#include "tst_reading.moc"
