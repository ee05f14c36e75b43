#include "casting/CoinToss.h"
#include <QTest>

class TestCoinToss : public QObject {
    Q_OBJECT
private slots:
    void timeMark_data();
    void timeMark();
    void coinValueFromMarks_data();
    void coinValueFromMarks();
    void timedThrowNeedsTwoPresses();
    void handTurnTakesSixTicks();
    void handPressDuringTurnReverses();
    void lineNeedsAllThreeCoins();
};

void TestCoinToss::timeMark_data()
{
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("msec");
    QTest::addColumn<int>("mark");
    QTest::newRow("start of minute") << 0 << 0 << 0;
    QTest::newRow("29 ms rounds down") << 0 << 29 << 0;
    QTest::newRow("30 ms is a half: to even 0") << 0 << 30 << 0;
    QTest::newRow("31 ms rounds up") << 0 << 31 << 1;
    QTest::newRow("90 ms is 1.5: to even 2") << 0 << 90 << 2;
    QTest::newRow("270 ms is 4.5: to even 4") << 0 << 270 << 4;
    // 150 ms times the extended 1/60 lies just above 2.5.
    QTest::newRow("150 ms just above a half") << 0 << 150 << 3;
    QTest::newRow("one second") << 1 << 0 << 17;    // 16.67
    QTest::newRow("two seconds") << 2 << 0 << 33;   // 33.33
    QTest::newRow("terms rounded apart") << 1 << 999 << 17 + 17;
    QTest::newRow("end of minute") << 59 << 999 << 983 + 17;
}

void TestCoinToss::timeMark()
{
    QFETCH(int, second);
    QFETCH(int, msec);
    QFETCH(int, mark);
    QCOMPARE(TossTimeMark(second, msec), mark);
}

void TestCoinToss::coinValueFromMarks_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("stop");
    QTest::addColumn<int>("value");
    QTest::newRow("equal marks") << 17 << 17 << 2;
    QTest::newRow("odd difference") << 17 << 20 << 3;
    QTest::newRow("even difference") << 17 << 21 << 2;
    // Presses in different minutes: only the marks within the minute count.
    QTest::newRow("minute wrap, even") << TossTimeMark(59, 900) << TossTimeMark(0, 100) << 2; // 998, 2
    QTest::newRow("minute wrap, odd") << TossTimeMark(59, 900) << TossTimeMark(0, 180) << 3;  // 998, 3
}

void TestCoinToss::coinValueFromMarks()
{
    QFETCH(int, start);
    QFETCH(int, stop);
    QFETCH(int, value);
    QCOMPARE(int(CoinValueFromMarks(start, stop)), value);
    QCOMPARE(int(CoinValueFromMarks(stop, start)), value);
}

void TestCoinToss::timedThrowNeedsTwoPresses()
{
    CastingState s;
    TimedPressResult r = TimedPress(s, 1, 100);
    QVERIFY(!r.stopped);
    QVERIFY(s.timedTossStarted);
    QCOMPARE(int(s.coinStates[1]), int(CoinSpinning));
    QCOMPARE(int(s.coinValues[1]), 0);
    r = TimedPress(s, 1, 103);
    QVERIFY(r.stopped);
    QCOMPARE(r.frame, 6);
    QCOMPARE(int(s.coinValues[1]), 3);
    QCOMPARE(int(s.coinStates[1]), int(CoinIdle));
    TimedPress(s, 0, 5);
    r = TimedPress(s, 0, 5);
    QCOMPARE(r.frame, 0);
    QCOMPARE(int(s.coinValues[0]), 2);
}

void TestCoinToss::handTurnTakesSixTicks()
{
    CastingState s;
    SetCoinsForMode(s, true);
    HandPress(s, 0);
    QCOMPARE(int(s.coinValues[0]), 2); // the value changes at the press
    for (int tick = 1; tick <= 6; ++tick) {
        const auto frames = HandTick(s);
        QCOMPARE(frames[0], tick);
        QCOMPARE(frames[1], -1);
        QCOMPARE(int(s.coinStates[0]), tick < 6 ? int(TurningToBack) : int(ShowsBack));
    }
    HandPress(s, 0);
    QCOMPARE(int(s.coinValues[0]), 3);
    for (int tick = 1; tick <= 6; ++tick)
        QCOMPARE(HandTick(s)[0], 6 - tick);
    QCOMPARE(int(s.coinStates[0]), int(ShowsFront));
}

void TestCoinToss::handPressDuringTurnReverses()
{
    CastingState s;
    SetCoinsForMode(s, true);
    HandPress(s, 0);
    HandTick(s);
    HandTick(s);
    HandPress(s, 1); // restarts the shared counter: coin 1 starts its turn again
    QCOMPARE(HandTick(s)[0], 1);
    HandPress(s, 0); // mid-turn: reverses to the front
    QCOMPARE(int(s.coinValues[0]), 3);
    QCOMPARE(int(s.coinStates[0]), int(TurningToFront));
}

void TestCoinToss::lineNeedsAllThreeCoins()
{
    CastingState s;
    QCOMPARE(int(LineFromCoins(s)), 0);
    s.coinValues = {2, 3, 0};
    QCOMPARE(int(LineFromCoins(s)), 0);
    s.coinValues = {2, 2, 2};
    QCOMPARE(int(LineFromCoins(s)), 6);
    s.coinValues = {3, 3, 3};
    QCOMPARE(int(LineFromCoins(s)), 9);
}

QTEST_APPLESS_MAIN(TestCoinToss)
#include "tst_cointoss.moc"
