// The saved forms byte for byte, and reading back what any editor may leave.

#include "files/ConsultationFile.h"
#include "files/FileCipher.h"
#include "files/PasswordRules.h"
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace ConsultationFile;
using namespace Qt::Literals::StringLiterals;

class TestConsultationFile : public QObject {
    Q_OBJECT
private slots:
    void plainFormBytes();
    void readingLineEnds_data();
    void readingLineEnds();
    void plainFileFromAnotherEditor_data();
    void plainFileFromAnotherEditor();
    void encryptedLayout_data();
    void encryptedLayout();
    void nameChoosesTheForm_data();
    void nameChoosesTheForm();
    void wrongAndTrimmedPasswords();
    void unrepresentableCharacters();
    void randomRoundTrips();
    void failedWriteKeepsTheOldFile();
};

void TestConsultationFile::plainFormBytes()
{
    const QStringList lines{QStringLiteral("CHHEX:789968"), QStringLiteral("Otázka: Půjdu?"), QString()};
    QCOMPARE(TextForm(lines), QByteArray("CHHEX:789968\r\nOt\xe1zka: P\xf9jdu?\r\n\r\n"));
    QCOMPARE(TextForm({}), QByteArray());
}

void TestConsultationFile::readingLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0c\r\n", 8) << QStringList{"a", "b"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << QStringList{"", ""};
    QTest::newRow("nothing") << QByteArray() << QStringList{};
    QTest::newRow("code page") << QByteArray("\x9e\x9a\xe8\xf8") << QStringList{QStringLiteral("žščř")};
}

void TestConsultationFile::readingLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(ReadLines(bytes), lines);
}

void TestConsultationFile::plainFileFromAnotherEditor_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // the lines, each ended by '\n'
    // Valid UTF-8 with a multi-byte sequence, or a byte-order mark: UTF-8.
    QTest::newRow("UTF-8") << QByteArray("Ot\xc3\xa1zka: P\xc5\xafjdu?\r\n\xc5\xbe\xc2\xa0x")
                           << u"Otázka: Půjdu?\nž\u00A0x\n"_s;
    QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x98\x80") << u"\U0001F600\n"_s;
    QTest::newRow("mark, ASCII") << QByteArray("\xef\xbb\xbf" "abc\n") << u"abc\n"_s;
    QTest::newRow("mark inside") << QByteArray("\xef\xbb\xbf" "a\n\xef\xbb\xbf" "b") << u"a\n\uFEFFb\n"_s;
    QTest::newRow("up to NUL") << QByteArray("\xc3\xa1\0\xe1", 4) << u"á\n"_s;
    // Anything else: Windows-1250, as the program writes.
    QTest::newRow("Windows-1250") << QByteArray("Ot\xe1zka\xa0\x9e") << u"Otázka\u00A0ž\n"_s;
    QTest::newRow("overlong") << QByteArray("\xc0\xaf \xe0\x80\xaf") << u"ŔŻ ŕ€Ż\n"_s;
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << u"í\u00A0€\n"_s;
    QTest::newRow("past U+10FFFF") << QByteArray("\xf5\x80\x80\x80") << u"ő€€€\n"_s;
    QTest::newRow("cut short") << QByteArray("\xc3\xa1\xc5") << u"ĂˇĹ\n"_s;
    QTest::newRow("stray continuation") << QByteArray("\xc3\xa1\xa1") << u"Ăˇˇ\n"_s;
    // The whole file decides, also when only the first lines are read.
    QTest::newRow("UTF-8 in the last line only") << QByteArray("a\r\nb\r\n\xc5\xbe") << u"a\nb\nž\n"_s;
    QTest::newRow("UTF-8 in the first line, Windows-1250 in the last")
        << QByteArray("\xc5\xa0\r\nb\r\n\x9e") << u"Ĺ\u00A0\nb\nž\n"_s;
}

void TestConsultationFile::plainFileFromAnotherEditor()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QStringList lines = text.split(u'\n');
    lines.removeLast();
    QCOMPARE(OpenedLines(QStringLiteral("a.txt"), bytes, QString()).value(), lines);
    for (qsizetype first = 0; first <= lines.size() + 1; ++first)
        QCOMPARE(ReadPlainLines(bytes, first), lines.first(qMin(first, lines.size())));
}

void TestConsultationFile::encryptedLayout_data()
{
    QTest::addColumn<int>("textLength");
    QTest::addColumn<int>("padding");
    QTest::newRow("L mod 8 = 7: eight bytes") << 7 << 8;
    QTest::newRow("L mod 8 = 6: one byte") << 6 << 1;
    QTest::newRow("L mod 8 = 0: seven bytes") << 16 << 7;
    QTest::newRow("empty text") << 0 << 7;
}

void TestConsultationFile::encryptedLayout()
{
    QFETCH(int, textLength);
    QFETCH(int, padding);
    // Lines of "x" with CR LF make up the wanted text length.
    QStringList lines;
    QByteArray text;
    while (text.size() + 3 <= textLength) {
        lines << QStringLiteral("x");
        text += "x\r\n";
    }
    while (text.size() < textLength) {
        if (lines.isEmpty())
            lines << QString();
        lines.last() += u'y';
        text.insert(text.size() - 2, 'y');
    }
    if (lines.isEmpty() && textLength == 2)
        lines << QString();
    QCOMPARE(TextForm(lines), text);
    QByteArray stored = SavedForm(QStringLiteral("a.txg"), lines, QStringLiteral("heslo"));
    QCOMPARE(stored.size(), 8 + textLength + padding + 1);
    QCOMPARE(stored.size() % 8, 0);
    QVERIFY(DecryptStream(stored, "heslo"));
    QCOMPARE(stored.left(8), QByteArray("\1\2\3\4\5\6\7\x08"));
    QCOMPARE(stored.mid(8, textLength), text);
    QCOMPARE(stored.mid(8 + textLength, padding), QByteArray(padding, '\1'));
    QCOMPARE(int(stored.back()), padding);
    // Opening gives the lines back, and no line of one space is added.
    QCOMPARE(*OpenedLines(QStringLiteral("a.txg"), SavedForm(QStringLiteral("a.txg"), lines, QStringLiteral("heslo")),
                          QStringLiteral("heslo")),
             lines);
}

void TestConsultationFile::nameChoosesTheForm_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow(".txt") << "a.txt" << true;
    QTest::newRow(".TXT") << "a.TXT" << false;
    QTest::newRow(".txg") << "a.txg" << false;
    QTest::newRow("no extension") << "a" << false;
    QTest::newRow("txt inside") << "a.txt.bak" << false;
}

void TestConsultationFile::nameChoosesTheForm()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(IsPlainName(name), plain);
    const QStringList lines{QStringLiteral("řádek")};
    const QByteArray stored = SavedForm(name, lines, QStringLiteral("k"));
    QCOMPARE(stored == TextForm(lines), plain);
    QCOMPARE(*OpenedLines(name, stored, QStringLiteral("k")), lines);
}

void TestConsultationFile::wrongAndTrimmedPasswords()
{
    const QStringList lines{QStringLiteral("a"), QStringLiteral("b")};
    const QByteArray stored = SavedForm(QStringLiteral("a.txg"), lines, QStringLiteral("Heslo"));
    QVERIFY(!OpenedLines(QStringLiteral("a.txg"), stored, QStringLiteral("heslo")));   // case counts
    QCOMPARE(*OpenedLines(QStringLiteral("a.txg"), stored, QStringLiteral("  Heslo ")), lines);
    // A plain file under an encrypted name fails whatever the password.
    QVERIFY(!OpenedLines(QStringLiteral("a.txg"), TextForm(lines), QStringLiteral("Heslo")));
    QVERIFY(!OpenedLines(QStringLiteral("a.txg"), QByteArray(), QStringLiteral("Heslo")));
    // A tail that is not a whole block is left as it is; the signature decides.
    QCOMPARE(OpenedLines(QStringLiteral("a.txg"), stored + "xyz", QStringLiteral("Heslo")).value(), lines);
}

void TestConsultationFile::unrepresentableCharacters()
{
    const QStringList lines{QStringLiteral("čaj € ☯ 中"), QStringLiteral("☯")};
    QCOMPARE(UnrepresentableCharacters(lines), QStringLiteral("☯中"));
    QCOMPARE(TextForm(lines), QByteArray("\xe8" "aj \x80 ? ?\r\n?\r\n"));
    QVERIFY(UnrepresentableCharacters({QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy")}).isEmpty());
}

void TestConsultationFile::randomRoundTrips()
{
    QRandomGenerator rng(20261207);
    const QString alphabet = QStringLiteral("abcXYZ 019.,;:!?-()ěščřžýáíéůúňťďĚŠČŘŽÝÁÍÉŮÚŇŤĎ€„“\t");
    for (int round = 0; round < 200; ++round) {
        QStringList lines;
        const int count = rng.bounded(0, 30);
        for (int i = 0; i < count; ++i) {
            QString line;
            const int length = rng.bounded(0, 80);
            for (int j = 0; j < length; ++j)
                line += alphabet[rng.bounded(qsizetype(alphabet.size()))];
            lines << line;
        }
        const QString password = QStringLiteral("p%1").arg(round);
        for (const QString name : {QStringLiteral("a.txt"), QStringLiteral("a.txg")}) {
            const QByteArray stored = SavedForm(name, lines, password);
            const QStringList back = *OpenedLines(name, stored, password);
            QCOMPARE(back, lines);
            // Open and save again: the same text, so a plain file keeps its bytes.
            if (name.endsWith(QLatin1String(".txt")))
                QCOMPARE(SavedForm(name, back, password), stored);
        }
    }
}

void TestConsultationFile::failedWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    WriteFile(path, "old\r\n");
    QCOMPARE(ReadFile(path), QByteArray("old\r\n"));
    QVERIFY_THROWS_EXCEPTION(EFileError, WriteFile(dir.filePath(QStringLiteral("missing/a.txt")), "x"));
    QVERIFY_THROWS_EXCEPTION(EFileError, ReadFile(dir.filePath(QStringLiteral("none.txt"))));
    WriteFile(path, "new\r\n");
    QCOMPARE(ReadFile(path), QByteArray("new\r\n"));
}

QTEST_APPLESS_MAIN(TestConsultationFile)
#include "tst_consultationfile.moc"
