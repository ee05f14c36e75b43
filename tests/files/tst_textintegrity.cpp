// Text that must reach the file and come back as the user wrote it: no-break
// spaces, files another editor wrote in UTF-8, and where the file dialogs start.

#include "files/ConsultationFile.h"
#include "files/EditorText.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace ConsultationFile;
using namespace Qt::Literals::StringLiterals;

class TestTextIntegrity : public QObject {
    Q_OBJECT
private slots:
    void plainFileEncoding_data();
    void plainFileEncoding();
    void noBreakSpaceBothWays();
    void editorTextKeepsWhatWasTyped_data();
    void editorTextKeepsWhatWasTyped();
    void dialogStartPath_data();
    void dialogStartPath();
};

void TestTextIntegrity::plainFileEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QStringList>("lines");
    // Czech in UTF-8, as desktop editors write it.
    QTest::newRow("UTF-8") << QByteArray("Ot\xc3\xa1zka: P\xc5\xafjdu?\nAno") << true
                           << QStringList{u"Otázka: Půjdu?"_s, u"Ano"_s};
    QTest::newRow("UTF-8, CR LF") << QByteArray("\xc4\x8c\r\n\xc5\xbe\r\n") << true << QStringList{u"Č"_s, u"ž"_s};
    QTest::newRow("mark, ASCII") << QByteArray("\xef\xbb\xbf" "abc\r\n") << true << QStringList{u"abc"_s};
    QTest::newRow("mark only") << QByteArray("\xef\xbb\xbf") << true << QStringList{};
    QTest::newRow("mark inside stays") << QByteArray("\xef\xbb\xbf" "a\n\xef\xbb\xbf" "b") << true
                                       << QStringList{u"a"_s, u"\uFEFFb"_s};
    QTest::newRow("four-byte sequence") << QByteArray("\xf0\x9f\x98\x80") << true << QStringList{u"\U0001F600"_s};
    QTest::newRow("no-break space") << QByteArray("a\xc2\xa0" "b") << true << QStringList{u"a\u00A0b"_s};
    // Windows-1250: what the program writes itself.
    QTest::newRow("Windows-1250") << QByteArray("Ot\xe1zka: P\xf9jdu?\r\n") << false
                                  << QStringList{u"Otázka: Půjdu?"_s};
    QTest::newRow("ASCII") << QByteArray("abc\r\n") << false << QStringList{u"abc"_s};
    QTest::newRow("Windows-1250 no-break space") << QByteArray("a\xa0" "b") << false << QStringList{u"a\u00A0b"_s};
    // Not well-formed UTF-8: read as Windows-1250.
    QTest::newRow("overlong") << QByteArray("\xc0\xaf") << false << QStringList{u"ŔŻ"_s};
    QTest::newRow("three-byte overlong") << QByteArray("\xe0\x80\xaf") << false << QStringList{u"ŕ€Ż"_s};
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << false << QStringList{u"í\u00A0€"_s};
    QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false << QStringList{u"ô\u0090€€"_s};
    QTest::newRow("no such lead byte") << QByteArray("\xf5\x80\x80\x80") << false << QStringList{u"ő€€€"_s};
    QTest::newRow("cut short") << QByteArray("ok \xc5") << false << QStringList{u"ok Ĺ"_s};
    QTest::newRow("stray continuation") << QByteArray("\xc3\xa1\xa1") << false << QStringList{u"Ăˇˇ"_s};
    // A NUL ends the text before the encoding is judged.
    QTest::newRow("UTF-8 up to NUL") << QByteArray("\xc3\xa1\0\xe1", 4) << true << QStringList{u"á"_s};
}

void TestTextIntegrity::plainFileEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QFETCH(QStringList, lines);
    QCOMPARE(DetectPlainEncoding(bytes) == TextEncoding::Utf8, utf8);
    QCOMPARE(ReadPlainLines(bytes), lines);
    // A plain file opens the same way, whatever the password.
    QCOMPARE(OpenedLines(QStringLiteral("a.txt"), bytes, QString()).value(), lines);
}

void TestTextIntegrity::noBreakSpaceBothWays()
{
    const QString text = u"5\u00A0%, s\u00A0námi"_s;
    QCOMPARE(TextForm({text}), QByteArray("5\xa0%, s\xa0n\xe1mi\r\n"));
    QCOMPARE(ReadLines("5\xa0%, s\xa0n\xe1mi\r\n"), QStringList{text});
    QVERIFY(UnrepresentableCharacters({text}).isEmpty());
    // Both forms of the file keep it.
    const QByteArray sealed = SavedForm(QStringLiteral("a.txg"), {text}, QStringLiteral("heslo"));
    QCOMPARE(OpenedLines(QStringLiteral("a.txg"), sealed, QStringLiteral("heslo")).value(), QStringList{text});
}

void TestTextIntegrity::editorTextKeepsWhatWasTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("no-break space") << u"a\u00A0b"_s << u"a\u00A0b"_s;
    QTest::newRow("paragraphs") << u"a\nb\n"_s << u"a\nb\n"_s;
    QTest::newRow("line separator") << u"a\u2028b"_s << u"a\nb"_s;
    QTest::newRow("tab and spaces") << u" \t x "_s << u" \t x "_s;
}

void TestTextIntegrity::editorTextKeepsWhatWasTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QTextDocument document;
    QTextCursor(&document).insertText(typed);
    QCOMPARE(EditorText::Of(document), stored);
}

void TestTextIntegrity::dialogStartPath_data()
{
    QTest::addColumn<bool>("dataFolder");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("start"); // relative to the working folder
    QTest::newRow("new consultation") << true << QString() << u"Data"_s;
    QTest::newRow("saved one") << true << u"/jinde/Otázka.txt"_s << u"Data/Otázka.txt"_s;
    QTest::newRow("no Data folder") << false << QString() << QString();
    QTest::newRow("no Data folder, saved one") << false << u"/jinde/b.txg"_s << u"b.txg"_s;
}

void TestTextIntegrity::dialogStartPath()
{
    QFETCH(bool, dataFolder);
    QFETCH(QString, fileName);
    QFETCH(QString, start);
    QTemporaryDir working;
    if (dataFolder)
        QVERIFY(QDir(working.path()).mkdir(QStringLiteral("Data")));
    const QString expected = start.isEmpty() ? working.path() : working.path() + u'/' + start;
    QCOMPARE(DialogStartPath(working.path(), fileName), expected);
}

QTEST_APPLESS_MAIN(TestTextIntegrity)
#include "tst_textintegrity.moc"
