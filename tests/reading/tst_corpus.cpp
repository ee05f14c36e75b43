// The embedded book: every record sound, none a placeholder, and every
// record within the lengths a finished text keeps to.

#include "reading/Corpus.h"
#include <QTest>

namespace {
int Length(const QStringList &paragraphs)
{
    int n = 0;
    for (const QString &p : paragraphs)
        n += p.size();
    return n;
}
} // namespace

class TestCorpus : public QObject {
    Q_OBJECT
private slots:
    void embeddedBookHasNoDefects();
    void writtenRecordsKeepTheirLengths_data();
    void writtenRecordsKeepTheirLengths();
    void guidanceNote();
    void defectsAreFound_data();
    void defectsAreFound();
};

void TestCorpus::embeddedBookHasNoDefects()
{
    const InterpretationCorpus &book = InterpretationCorpus::Embedded();
    QCOMPARE(book.defects(), QStringList());
    QVERIFY(book.record(1).allLines.has_value());
    QVERIFY(book.record(2).allLines.has_value());
    QVERIFY(!book.record(3).allLines.has_value());
}

void TestCorpus::writtenRecordsKeepTheirLengths_data()
{
    QTest::addColumn<int>("number");
    for (int n = 1; n <= kHexagramCount; ++n)
        QTest::addRow("%d", n) << n;
}

void TestCorpus::writtenRecordsKeepTheirLengths()
{
    QFETCH(int, number);
    const HexagramText &r = InterpretationCorpus::Embedded().record(number);
    auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    QVERIFY2(within(Length(r.symbol), 150, 400), qPrintable(QString::number(Length(r.symbol))));
    QVERIFY2(within(Length(r.principle), 300, 900), qPrintable(QString::number(Length(r.principle))));
    QVERIFY2(within(Length(r.interpretation), 300, 900), qPrintable(QString::number(Length(r.interpretation))));
    for (int k = 0; k < 6; ++k) {
        QVERIFY(!r.lines[k].image.isEmpty());
        QVERIFY2(within(Length(r.lines[k].application), 200, 600),
                 qPrintable(QStringLiteral("line %1: %2").arg(k + 1).arg(Length(r.lines[k].application))));
    }
    if (r.allLines)
        QVERIFY(within(Length(r.allLines->application), 200, 600));
}

void TestCorpus::guidanceNote()
{
    const QString g = InterpretationCorpus::Embedded().guidance();
    QVERIFY(g.startsWith(u'(') && g.endsWith(u')'));
    QVERIFY2(g.size() >= 550 && g.size() <= 750, qPrintable(QString::number(g.size())));
    QVERIFY(!g.contains(kPlaceholderMark));
}

void TestCorpus::defectsAreFound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("defect");
    const QString lines = QStringLiteral("[line 1]\nO\n  U\n[line 2]\nO\n  U\n[line 3]\nO\n  U\n"
                                         "[line 4]\nO\n  U\n[line 5]\nO\n  U\n[line 6]\nO\n  U\n");
    QTest::newRow("missing symbol") << "[principle]\n  P\n[interpretation]\n  I\n" + lines << "[symbol] is missing";
    QTest::newRow("indented symbol") << "[symbol]\n  S\n[principle]\n  P\n[interpretation]\n  I\n" + lines
                                     << "no leading spaces";
    QTest::newRow("principle without indent") << "[symbol]\nS\n[principle]\nP\n[interpretation]\n  I\n" + lines
                                              << "exactly two spaces";
    QTest::newRow("four principle paragraphs")
        << "[symbol]\nS\n[principle]\n  a\n  b\n  c\n  d\n[interpretation]\n  I\n" + lines << "4 paragraphs";
    QTest::newRow("three spaces") << "[symbol]\nS\n[principle]\n   P\n[interpretation]\n  I\n" + lines
                                  << "exactly two spaces";
    QTest::newRow("line without application")
        << "[symbol]\nS\n[principle]\n  P\n[interpretation]\n  I\n" + QString(lines).replace(
               QStringLiteral("[line 6]\nO\n  U\n"), QStringLiteral("[line 6]\nO\n")) << "0 paragraphs";
    QTest::newRow("twice") << "[symbol]\nS\n[symbol]\nS\n[principle]\n  P\n[interpretation]\n  I\n" + lines
                           << "appears twice";
    QTest::newRow("all lines elsewhere")
        << "[symbol]\nS\n[principle]\n  P\n[interpretation]\n  I\n" + lines + "[all lines]\nO\n  U\n"
        << "hexagrams 1 and 2 only";
    QTest::newRow("placeholder") << "[symbol]\nS «zástupný text»\n[principle]\n  P\n[interpretation]\n  I\n" + lines
                                 << "placeholder text";
    QTest::newRow("unknown section") << "[symbool]\nS\n" + lines << "unknown section";
}

void TestCorpus::defectsAreFound()
{
    QFETCH(QString, text);
    QFETCH(QString, defect);
    QStringList defects;
    ParseHexagramText(5, text, defects);
    QVERIFY2(defects.join(u'\n').contains(defect), qPrintable(defects.join(u'\n')));
}

QTEST_APPLESS_MAIN(TestCorpus)
#include "tst_corpus.moc"
