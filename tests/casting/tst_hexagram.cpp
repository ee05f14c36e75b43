#include "casting/Hexagram.h"
#include <QSet>
#include <QTest>

class TestHexagram : public QObject {
    Q_OBJECT
private slots:
    void everyNumberOnce();
    void placeholder() {}
};

void TestHexagram::everyNumberOnce()
{
    QSet<int> seen;
    for (int pattern = 0; pattern < 64; ++pattern) {
        HexagramLines l;
        for (int p = 1; p <= 6; ++p)
            l[p] = (pattern >> (p - 1)) & 1 ? 7 : 8;
        const int n = HexagramNumberOf(l);
        QVERIFY(n >= 1 && n <= 64);
        seen.insert(n);
        QCOMPARE(LinesOfHexagram(n), l);
    }
    QCOMPARE(seen.size(), 64);
}

QTEST_APPLESS_MAIN(TestHexagram)
#include "tst_hexagram.moc"
