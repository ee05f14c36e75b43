// The hyperlink label: its address check with the two error texts, its
// click through the shell, and its look.

#include "support/FakePlatform.h"
#include "ui/Cursors.h"
#include "ui/RosHotLabel.h"
#include "ui/RosURLError.h"
#include <QSignalSpy>
#include <QTest>

class TestHotLabel : public QObject {
    Q_OBJECT
private slots:
    void addressCheck_data();
    void addressCheck();
    void failedCaptionKeepsTheOldOne();
    void switchingTheCheckOnChecksTheCaption();
    void clickOpensTheAddress();
    void shellFailureIsReported();
    void lookAtCreation();
};

void TestHotLabel::addressCheck_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("passes");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("http") << "http://localhost/zendra/" << true;
    QTest::newRow("HTTP capitals") << "HTTP://ZENDRA.EXAMPLE.ORG" << true;
    QTest::newRow("mailto") << "mailto:zendra@localhost" << true;
    QTest::newRow("MAILTO capitals") << "MAILTO:zendra@localhost" << true;
    QTest::newRow("file") << "file:C:\\Zendra\\cti.txt" << true;
    QTest::newRow("ftp") << "ftp://localhost/zendra/" << true;
    QTest::newRow("www") << "www.localhost/zendra/" << false;
    QTest::newRow("https is not among them") << "https://localhost/zendra/" << false;
    QTest::newRow("ftp with one slash") << "ftp:/localhost/zendra/" << false;
    QTest::newRow("protocol inside") << " http://x" << false;
}

void TestHotLabel::addressCheck()
{
    QFETCH(QString, caption);
    QFETCH(bool, passes);
    FakeShell shell;
    TRosHotLabel label(shell);
    QCOMPARE(HotLabelUrl::ProtocolRecognised(caption), passes);
    try {
        label.setCaption(caption);
        QVERIFY(passes);
        QCOMPARE(label.Caption(), caption);
    } catch (const ERosURLError &e) {
        QVERIFY(!passes);
        // The message quotes the whole caption.
        QCOMPARE(e.message(), QStringLiteral("Protocol not recognised for URL \"%1\"").arg(caption));
    }
}

void TestHotLabel::failedCaptionKeepsTheOldOne()
{
    FakeShell shell;
    TRosHotLabel label(shell);
    label.setCaption(QStringLiteral("http://localhost/zendra/"));
    QVERIFY_THROWS_EXCEPTION(ERosURLError, label.setCaption(QStringLiteral("www.localhost/zendra/")));
    QCOMPARE(label.Caption(), QStringLiteral("http://localhost/zendra/"));
}

void TestHotLabel::switchingTheCheckOnChecksTheCaption()
{
    FakeShell shell;
    TRosHotLabel label(shell);
    QVERIFY(label.CheckURL());
    label.setCheckURL(false);
    label.setCaption(QStringLiteral("www.localhost/zendra/"));
    QCOMPARE(label.Caption(), QStringLiteral("www.localhost/zendra/"));
    QVERIFY_THROWS_EXCEPTION(ERosURLError, label.setCheckURL(true));
}

void TestHotLabel::clickOpensTheAddress()
{
    FakeShell shell;
    TRosHotLabel label(shell);
    label.resize(200, 20);
    label.Click(); // empty caption: nothing to open
    QVERIFY(shell.opened.isEmpty());
    label.setCaption(QStringLiteral("mailto:zendra@localhost"));
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(shell.opened, QStringList(QStringLiteral("mailto:zendra@localhost")));
    label.setEnabled(false);
    label.Click();
    QCOMPARE(shell.opened.size(), 1);
}

void TestHotLabel::shellFailureIsReported()
{
    FakeShell shell;
    shell.succeed = false;
    TRosHotLabel label(shell);
    label.resize(200, 20);
    label.setCaption(QStringLiteral("http://localhost/zendra/"));
    const QString expected =
        QStringLiteral("Can't activate browser or e-mail program for URL \"http://localhost/zendra/\"");
    try {
        label.Click();
        QFAIL("no error");
    } catch (const ERosURLError &e) {
        QCOMPARE(e.message(), expected);
    }
    // A mouse click cannot throw through the event loop: the label says it instead.
    QSignalSpy errors(&label, &TRosHotLabel::urlError);
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), expected);
}

void TestHotLabel::lookAtCreation()
{
    FakeShell shell;
    TRosHotLabel label(shell);
    QCOMPARE(Cursors::Of(&label), int(crHotLabel));
    QVERIFY(label.font().underline());
    QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(label.cursor().hotSpot(), QPoint(6, 0));
}

QTEST_MAIN(TestHotLabel)
#include "tst_hotlabel.moc"
