#include "casting/Hexagram.h"
#include <QSet>
#include <QTest>

namespace {
HexagramLines L(const char *digits)
{
    HexagramLines l;
    if (!HexagramLines::parseDigits(QString::fromLatin1(digits), l))
        qFatal("bad test lines %s", digits);
    return l;
}
} // namespace

class TestHexagram : public QObject {
    Q_OBJECT
private slots:
    void everyPatternHasItsOwnNumber();
    void changingValuesCountAsTheirPolarity();
    void tableSpotChecks_data();
    void tableSpotChecks();
    void derived_data();
    void derived();
    void chosenLinesChangeOnlyMarkedLines();
    void oppositeTwiceRestoresPolarity();
    void noteKeyAndFullReadingForm();
    void digitsParseAndPrint_data();
    void digitsParseAndPrint();
    void picturePositionsCoverEveryTrigramOnce();
};

void TestHexagram::everyPatternHasItsOwnNumber()
{
    QSet<int> seen;
    for (int pattern = 0; pattern < 64; ++pattern) {
        HexagramLines l;
        for (int p = 1; p <= 6; ++p)
            l[p] = (pattern >> (p - 1)) & 1 ? 7 : 8;
        const int n = HexagramNumberOf(l);
        QVERIFY(n >= 1 && n <= 64);
        QVERIFY2(!seen.contains(n), qPrintable(QString::number(n)));
        seen.insert(n);
        QCOMPARE(LinesOfHexagram(n), l);
    }
    QCOMPARE(seen.size(), 64);
}

void TestHexagram::changingValuesCountAsTheirPolarity()
{
    for (int pattern = 0; pattern < 64; ++pattern) {
        HexagramLines stable, changing;
        for (int p = 1; p <= 6; ++p) {
            const bool yang = (pattern >> (p - 1)) & 1;
            stable[p] = yang ? 7 : 8;
            changing[p] = yang ? 9 : 6;
        }
        QCOMPARE(HexagramNumberOf(changing), HexagramNumberOf(stable));
    }
}

void TestHexagram::tableSpotChecks_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<int>("number");
    // bottom first
    QTest::newRow("heaven") << "777777" << 1;
    QTest::newRow("earth") << "888888" << 2;
    QTest::newRow("water over thunder") << "788878" << 3;
    QTest::newRow("mountain over water") << "878887" << 4;
    QTest::newRow("earth over heaven") << "777888" << 11;
    QTest::newRow("heaven over earth") << "888777" << 12;
    QTest::newRow("thunder below earth") << "788888" << 24;
    QTest::newRow("wind below earth") << "877888" << 46;
    QTest::newRow("wind over mountain") << "887877" << 53;
    QTest::newRow("mountain over wind") << "877887" << 18;
    QTest::newRow("wind over water") << "878877" << 59;
    QTest::newRow("water over fire") << "787878" << 63;
    QTest::newRow("fire over water") << "878787" << 64;
    QTest::newRow("lake doubled") << "778778" << 58;
}

void TestHexagram::tableSpotChecks()
{
    QFETCH(QString, lines);
    QFETCH(int, number);
    HexagramLines l;
    QVERIFY(HexagramLines::parseDigits(lines, l));
    QCOMPARE(HexagramNumberOf(l), number);
}

void TestHexagram::derived_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("developing turns 6 and 9") << "developing" << "678969" << "778878";
    QTest::newRow("developing without change") << "787878" << "787878" << "787878";
    QTest::newRow("nuclear") << "nuclear" << "678967" << "789896";
    QTest::newRow("nuclear of 1") << "nuclear" << "777777" << "777777";
    QTest::newRow("opposite") << "opposite" << "678967" << "787878";
    QTest::newRow("opposite of 1") << "opposite" << "999999" << "888888";
    QTest::newRow("swapped") << "swapped" << "678987" << "987678";
    QTest::newRow("full reading") << "full" << "678967" << "696969";
}

void TestHexagram::derived()
{
    QFETCH(QString, operation);
    QFETCH(QString, in);
    QFETCH(QString, out);
    HexagramLines l = L(in.toLatin1().constData());
    HexagramLines r;
    if (operation == QLatin1String("developing") || operation == QLatin1String("787878"))
        r = DevelopingLines(l);
    else if (operation == QLatin1String("nuclear"))
        r = NuclearLines(l);
    else if (operation == QLatin1String("opposite"))
        r = OppositeLines(l);
    else if (operation == QLatin1String("swapped"))
        r = SwappedTrigramLines(l);
    else
        r = FullReadingForm(l);
    QCOMPARE(r.digits(), out);
}

void TestHexagram::chosenLinesChangeOnlyMarkedLines()
{
    const HexagramLines l = L("969696");
    QCOMPARE(ChosenChangeLines(l, {true, false, false, false, false, true}).digits(), QStringLiteral("869697"));
    QCOMPARE(ChosenChangeLines(l, {}).digits(), l.digits());
    QCOMPARE(ChosenChangeLines(l, {true, true, true, true, true, true}), DevelopingLines(l));
    // One changing line at position k: the developing hexagram differs only there.
    for (int k = 1; k <= 6; ++k) {
        HexagramLines one = L("777777");
        one[k] = 9;
        const HexagramLines dev = DevelopingLines(one);
        for (int p = 1; p <= 6; ++p)
            QCOMPARE(IsYang(dev[p]), p != k);
    }
    // Six changing lines: the developing hexagram is the opposite one.
    QCOMPARE(HexagramNumberOf(DevelopingLines(L("999999"))), 2);
    QCOMPARE(HexagramNumberOf(DevelopingLines(L("666666"))), 1);
}

void TestHexagram::oppositeTwiceRestoresPolarity()
{
    const HexagramLines l = L("696787");
    QCOMPARE(OppositeLines(OppositeLines(l)).digits(), QStringLiteral("878787"));
    QCOMPARE(HexagramNumberOf(SwappedTrigramLines(L("777888"))), 12);
    QCOMPARE(HexagramNumberOf(SwappedTrigramLines(L("787787"))), 30); // equal trigrams stay
    QCOMPARE(HexagramNumberOf(NuclearLines(L("888888"))), 2);
}

void TestHexagram::noteKeyAndFullReadingForm()
{
    QCOMPARE(NoteKey(L("999999")), QStringLiteral("777777"));
    QCOMPARE(NoteKey(L("678967")), QStringLiteral("878787"));
    QCOMPARE(FullReadingForm(LinesOfHexagram(1)).digits(), QStringLiteral("999999"));
    QCOMPARE(FullReadingForm(LinesOfHexagram(2)).digits(), QStringLiteral("666666"));
}

void TestHexagram::digitsParseAndPrint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("all values") << "789968" << true;
    QTest::newRow("five digits") << "78996" << false;
    QTest::newRow("seven digits") << "7899687" << false;
    QTest::newRow("a five") << "789958" << false;
    QTest::newRow("a letter") << "78996x" << false;
    QTest::newRow("empty") << "" << false;
}

void TestHexagram::digitsParseAndPrint()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    HexagramLines l = L("777777");
    QCOMPARE(HexagramLines::parseDigits(text, l), ok);
    QCOMPARE(l.digits(), ok ? text : QStringLiteral("777777"));
}

void TestHexagram::picturePositionsCoverEveryTrigramOnce()
{
    for (bool fuSi : {true, false}) {
        QSet<int> seen;
        for (int p = 1; p <= 8; ++p)
            seen.insert(int(TrigramAtPosition(p, fuSi)));
        QCOMPARE(seen.size(), 8);
    }
    QCOMPARE(TrigramAtPosition(1, true), Trigram::Heaven);
    QCOMPARE(TrigramAtPosition(1, false), Trigram::Fire);
}

QTEST_APPLESS_MAIN(TestHexagram)
#include "tst_hexagram.moc"
