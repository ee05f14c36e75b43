#include "app/SettingsText.h"
#include <QTest>

class TestSettingsText : public QObject {
    Q_OBJECT
private slots:
    void colorText_data();
    void colorText();
    void colorReading_data();
    void colorReading();
    void fontText();
    void fontReadingFailures_data();
    void fontReadingFailures();
};

void TestSettingsText::colorText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("default text colour") << int(kDefaultTextColor) << "$00E8F4D0";
    QTest::newRow("black") << 0 << "clBlack";
    QTest::newRow("red is the low byte") << 0x0000FF << "clRed";
    QTest::newRow("navy") << 0x800000 << "clNavy";
    QTest::newRow("window text") << int(SystemColor(clWindowTextIdx)) << "clWindowText";
    QTest::newRow("window") << int(SystemColor(clWindowIdx)) << "clWindow";
    QTest::newRow("scroll bar is the first") << int(0x80000000u) << "clScrollBar";
    QTest::newRow("info background is the last") << int(0x80000018u) << "clInfoBk";
    QTest::newRow("none") << int(kClNone) << "clNone";
    QTest::newRow("no name") << 0x123456 << "$00123456";
}

void TestSettingsText::colorText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(ColorToString(value), text);
    QCOMPARE(StringToColor(text), value);
}

void TestSettingsText::colorReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("any case") << "CLWINDOWTEXT" << int(SystemColor(clWindowTextIdx));
    QTest::newRow("decimal") << "255" << 255;
    QTest::newRow("hex") << "$FF" << 255;
    QTest::newRow("negative decimal") << "-2147483640" << int(0x80000008u);
}

void TestSettingsText::colorReading()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(StringToColor(text), value);
}

void TestSettingsText::fontText()
{
    FontText f{QStringLiteral("Arial CE"), 11, false, false, false, false, kDefaultTextColor};
    QCOMPARE(FontToString(f), QStringLiteral("Arial CE,11,0000,$00E8F4D0"));
    QCOMPARE(StringToFont(QStringLiteral("Arial CE,11,0000,$00E8F4D0")), f);
    FontText g{QStringLiteral("Times New Roman CE"), 14, true, false, true, false, SystemColor(clWindowTextIdx)};
    QCOMPARE(FontToString(g), QStringLiteral("Times New Roman CE,14,1010,clWindowText"));
    QCOMPARE(StringToFont(FontToString(g)), g);
    // A name with a per cent sign stays whole.
    FontText h{QStringLiteral("A%2b%1"), 9, false, true, false, true, 0x123456};
    QCOMPARE(FontToString(h), QStringLiteral("A%2b%1,9,0101,$00123456"));
    QCOMPARE(StringToFont(FontToString(h)), h);
}

void TestSettingsText::fontReadingFailures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString font = QStringLiteral("Invalid string to font conversion");
    QTest::newRow("three style digits") << "Arial,11,000,clBlack" << font;
    QTest::newRow("five style digits") << "Arial,11,00000,clBlack" << font;
    QTest::newRow("no colour part") << "Arial,11,0000" << font;
    QTest::newRow("name only") << "Arial" << font;
    QTest::newRow("size not a number") << "Arial,x,0000,clBlack" << "'x' is not a valid integer value";
    QTest::newRow("colour not a colour") << "Arial,11,0000,modra" << "'modra' is not a valid integer value";
}

void TestSettingsText::fontReadingFailures()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    try {
        StringToFont(text);
        QFAIL("accepted");
    } catch (const EConvertError &e) {
        QCOMPARE(e.message(), message);
    }
}

QTEST_APPLESS_MAIN(TestSettingsText)
#include "tst_settingstext.moc"
