// Password rules and the encrypted form of a consultation: what a password
// may be, the bytes written, and what opening makes of stored bytes.

#include "files/FileCipher.h"
#include "files/PasswordRules.h"
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

// Refused by the cipher's weak-key test (see bench/bench_weak_keys.cpp).
const QString kWeakPassword = QStringLiteral("heslo31495");

const QByteArray kSignature("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

// Text form in Windows-1250: "CHHEX:789678", "Otázka: Půjdu?" and a note.
const QByteArray kText = "CHHEX:789678\r\nOt\xE1zka: P\xF9jdu?\r\n\x8Elu\x9Dou\r\n";

// A script; run through python3 so that a copy without its execute bit works.
QString OraclePath() { return QStringLiteral(ZENDRA_SOURCE_DIR "/../shared/tools/bf-oracle"); }

} // namespace

class TestPasswordRules : public QObject {
    Q_OBJECT
private slots:
    void trimming_data();
    void trimming();
    void codePage_data();
    void codePage();
    void newPasswordRules_data();
    void newPasswordRules();
    void encryptedLayout_data();
    void encryptedLayout();
    void encryptedLayoutByOracle();
    void refusedPasswordWritesNothing();
    void opening_data();
    void opening();
    void openingOldUnencryptedForm();
};

void TestPasswordRules::trimming_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("password");
    QTest::newRow("as is") << "Heslo" << "Heslo";
    QTest::newRow("spaces around") << "  Heslo  " << "Heslo";
    QTest::newRow("tab and newline") << "\tHeslo\n" << "Heslo";
    QTest::newRow("inner blanks stay") << " moje heslo " << "moje heslo";
    QTest::newRow("no-break space") << QStringLiteral("\u00A0heslo\u00A0") << "heslo";
    QTest::newRow("blank only") << " \t  " << "";
    QTest::newRow("empty") << "" << "";
}

void TestPasswordRules::trimming()
{
    QFETCH(QString, entry);
    QFETCH(QString, password);
    QCOMPARE(TrimPassword(entry), password);
}

void TestPasswordRules::codePage_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("bytes"); // empty: not representable
    QTest::newRow("ascii") << "Heslo1" << QByteArray("Heslo1");
    QTest::newRow("czech") << QStringLiteral("Žluťoučký kůň") << QByteArray("\x8Elu\x9Dou\xE8\x6B\xFD k\xF9\xF2");
    QTest::newRow("euro sign") << QStringLiteral("€") << QByteArray("\x80");
    QTest::newRow("german") << QStringLiteral("Straße") << QByteArray("Stra\xDF\x65");
    QTest::newRow("spanish n") << QStringLiteral("año") << QByteArray();
    QTest::newRow("greek") << QStringLiteral("αβγ") << QByteArray();
    QTest::newRow("fullwidth A") << QStringLiteral("Ａ") << QByteArray();
    QTest::newRow("emoji") << QStringLiteral("heslo\U0001F600") << QByteArray();
}

void TestPasswordRules::codePage()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, bytes);
    const std::optional<QByteArray> got = PasswordBytes(password);
    if (bytes.isEmpty()) {
        QVERIFY(!got);
    } else {
        QVERIFY(got);
        QCOMPARE(got->toHex(), bytes.toHex());
    }
}

void TestPasswordRules::newPasswordRules_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::newRow("plain") << "heslo" << QString();
    QTest::newRow("czech") << QStringLiteral("Žluťoučký kůň") << QString();
    QTest::newRow("blank") << "   " << PasswordMessages::kNotEntered;
    QTest::newRow("greek") << QStringLiteral("αβγ x ñ α")
                           << PasswordMessages::kUnrepresentable.arg(QStringLiteral("αβγñ"));
    QTest::newRow("emoji") << QStringLiteral("a\U0001F600b")
                           << PasswordMessages::kUnrepresentable.arg(QStringLiteral("\U0001F600"));
    QTest::newRow("255 bytes") << QString(255, u'h') << QString();
    QTest::newRow("256 bytes") << QString(256, u'h') << PasswordMessages::kLengthMultipleOf256;
    QTest::newRow("256 after trimming") << "  " + QString(256, u'h') + " " << PasswordMessages::kLengthMultipleOf256;
    QTest::newRow("257 bytes") << QString(257, u'h') << QString();
    QTest::newRow("512 bytes") << QString(512, u'č') << PasswordMessages::kLengthMultipleOf256;
    QTest::newRow("weak key") << kWeakPassword << PasswordMessages::kWeakKey;
    QTest::newRow("weak key with blanks") << " " + kWeakPassword + "\t" << PasswordMessages::kWeakKey;
}

void TestPasswordRules::newPasswordRules()
{
    QFETCH(QString, password);
    QFETCH(QString, refusal);
    try {
        const QByteArray key = KeyForNewPassword(password);
        QVERIFY2(refusal.isEmpty(), "accepted a password that must be refused");
        QCOMPARE(key, *PasswordBytes(TrimPassword(password)));
    } catch (const EPasswordRefused &e) {
        QCOMPARE(e.message(), refusal);
    }
}

void TestPasswordRules::encryptedLayout_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("ones");
    QTest::newRow("text of 7: 8 ones") << QByteArray("Ahoj!\r\n") << 8;
    QTest::newRow("text of 15: 8 ones") << QByteArray("Ot\xE1zka: kdo?!\r\n") << 8;
    QTest::newRow("text of 6 mod 8: 1 one") << QByteArray("Ahoj\r\n") << 1;
    QTest::newRow("text of 0 mod 8: 7 ones") << QByteArray("Nazdar\r\n") << 7;
    QTest::newRow("no lines: signature alone") << QByteArray() << 7;
    QTest::newRow("consultation") << kText << 8 - int(8 + kText.size() + 1) % 8;
}

// signature, text, n ones, n; all encrypted with the trimmed password.
void TestPasswordRules::encryptedLayout()
{
    QFETCH(QByteArray, text);
    QFETCH(int, ones);
    QCOMPARE((8 + text.size() + ones + 1) % 8, 0);
    const QByteArray stored = EncryptConsultation(text, QStringLiteral("  Tajné heslo "));
    QCOMPARE(stored.size() % 8, 0);
    QCOMPARE(stored.size(), 8 + text.size() + ones + 1);
    QVERIFY(!stored.contains(text.isEmpty() ? kSignature : text));

    QByteArray plain = stored;
    QVERIFY(DecryptStream(plain, *PasswordBytes(QStringLiteral("Tajné heslo"))));
    QCOMPARE(plain, kSignature + text + QByteArray(ones, '\x01') + char(ones));
}

// The same layout seen through the independent cipher.
void TestPasswordRules::encryptedLayoutByOracle()
{
    if (!QFile::exists(OraclePath()))
        QSKIP("the cipher oracle is not installed here");
    const QString password = QStringLiteral("Kůň");
    const QByteArray stored = EncryptConsultation(kText, password);
    QProcess p;
    p.start(QStringLiteral("python3"), {OraclePath(), QStringLiteral("decrypt"), QString::fromLatin1(PasswordBytes(password)->toHex())});
    QVERIFY(p.waitForStarted());
    p.write(stored);
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray plain = p.readAllStandardOutput();
    const int ones = 8 - int(8 + kText.size() + 1) % 8;
    QCOMPARE(plain.toHex(), (kSignature + kText + QByteArray(ones, '\x01') + char(ones)).toHex());
}

// A refused password throws; there is no unencrypted fallback to write.
void TestPasswordRules::refusedPasswordWritesNothing()
{
    for (const QString &password : {kWeakPassword, QString(256, u'x'), QStringLiteral("ñ"), QStringLiteral(" ")}) {
        bool threw = false;
        try {
            const QByteArray stored = EncryptConsultation(kText, password);
            QVERIFY2(!stored.contains(kText), "wrote the text unencrypted");
        } catch (const EPasswordRefused &) {
            threw = true;
        }
        QVERIFY2(threw, qPrintable(password.left(12)));
    }
}

void TestPasswordRules::opening_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("bodySize"); // bytes after the signature

    const QByteArray stored = EncryptConsultation(kText, QStringLiteral("Heslo"));
    const int body = int(stored.size() - 8);
    QTest::newRow("same password") << stored << "Heslo" << true << body;
    QTest::newRow("blanks around") << stored << "  Heslo \t" << true << body;
    QTest::newRow("case differs") << stored << "heslo" << false << 0;
    QTest::newRow("other password") << stored << "Heslo2" << false << 0;
    QTest::newRow("blank password") << stored << "  " << false << 0;
    QTest::newRow("unrepresentable") << stored << QStringLiteral("Hesloα") << false << 0;
    QTest::newRow("weak key on an encrypted file") << stored << kWeakPassword << false << 0;
    QTest::newRow("plain file, any password") << kText << "Heslo" << false << 0;
    QTest::newRow("empty file") << QByteArray() << "Heslo" << false << 0;
    QTest::newRow("shorter than a block") << stored.left(5) << "Heslo" << false << 0;
    // Whole blocks are decrypted; the signature decides.
    QTest::newRow("not a whole number of blocks") << stored + "xyz" << "Heslo" << true << body + 3;
    QTest::newRow("first block only") << stored.left(8) << "Heslo" << true << 0;
    QTest::newRow("first block and a piece") << stored.left(13) << "Heslo" << true << 5;
}

void TestPasswordRules::opening()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, password);
    QFETCH(bool, opens);
    QFETCH(int, bodySize);
    const std::optional<QByteArray> body = DecryptConsultation(stored, password);
    QCOMPARE(bool(body), opens);
    if (!opens)
        return;
    QCOMPARE(body->size(), bodySize);
    const qsizetype whole = qMin<qsizetype>(body->size(), (stored.size() / 8 - 1) * 8);
    const int ones = 8 - int(8 + kText.size() + 1) % 8;
    const QByteArray expected = kText + QByteArray(ones, '\x01') + char(ones);
    QCOMPARE(body->left(whole), expected.left(whole));
}

// An unencrypted file under the encrypted form, as saved with a refused key
// before such keys were refused, opens with that key; padding is added so
// that dropping the last line does not take a line of text with it.
void TestPasswordRules::openingOldUnencryptedForm()
{
    const QByteArray old = kSignature + kText;
    const std::optional<QByteArray> body = DecryptConsultation(old, kWeakPassword);
    QVERIFY(body);
    QVERIFY(body->startsWith(kText));
    const QByteArray padding = body->mid(kText.size());
    QCOMPARE((old.size() + padding.size()) % 8, 0);
    QVERIFY(!padding.contains('\r') && !padding.contains('\n') && !padding.contains('\0'));
    QVERIFY(!DecryptConsultation(old, QStringLiteral("Heslo")));
    QVERIFY(!DecryptConsultation(kText, kWeakPassword));
    // Any refused key, a 256-byte one too, opens it: it has no protection.
    QVERIFY(DecryptConsultation(old, QString(256, u'k')));
}

QTEST_APPLESS_MAIN(TestPasswordRules)
#include "tst_passwordrules.moc"
