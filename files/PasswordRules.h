#pragma once
// Passwords of encrypted consultation files, and the encrypted form itself.
//
// A password is the trimmed entry of the password dialog; case counts. Its
// key is its bytes in Windows-1250, the code page of the files. Nothing is
// ever stored in place of the password: a file opens when its decrypted
// content begins with the eight signature bytes 1..8.
//
// A password the cipher cannot use is refused when the user chooses it,
// with a message saying why, so that an encrypted file never holds plain
// text: a character Windows-1250 lacks (it would silently become another
// byte), a length in bytes that is a multiple of 256, and a key that fails
// the cipher's weak-key test.
//
// Encrypted form: the signature, the text form of the lines, the padding
// (n bytes of 1 and the byte n), all encrypted. Decryption leaves the padding
// in place; the reader of the lines drops it as the last line.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <exception>
#include <optional>

// A password that cannot key the cipher; the message is for the user.
class EPasswordRefused : public std::exception {
public:
    explicit EPasswordRefused(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

namespace PasswordMessages {
inline const QString kNotEntered = QStringLiteral("Soubor nelze uložit. Nebylo zadáno heslo.");
inline const QString kConfirmationDiffers = QStringLiteral("Chybné potvrzení hesla. Opakujte znovu.");
inline const QString kWrong = QStringLiteral("Chybné heslo.");
// %1: the characters that have no byte in the code page.
inline const QString kUnrepresentable = QStringLiteral(
    "Heslo obsahuje znaky, které v souboru nelze uložit: %1\nSoubor nebyl uložen. Zvolte jiné heslo.");
inline const QString kLengthMultipleOf256 = QStringLiteral(
    "Heslo nelze použít, protože jeho délka je násobkem 256 znaků.\nSoubor nebyl uložen. Zvolte jiné heslo.");
inline const QString kWeakKey = QStringLiteral(
    "Toto heslo nelze k šifrování použít.\nSoubor nebyl uložen. Zvolte jiné heslo.");
} // namespace PasswordMessages

inline constexpr char kConsultationSignature[8] = {1, 2, 3, 4, 5, 6, 7, 8};
inline constexpr qsizetype kConsultationSignatureBytes = 8;

// The entry without leading and trailing blanks (control characters, the
// space and other Unicode white space).
QString TrimPassword(const QString &entry);

// The password's bytes in Windows-1250, or nothing when a character has no
// byte there.
std::optional<QByteArray> PasswordBytes(const QString &password);

// The key of a password chosen for saving. Throws EPasswordRefused with the
// user's message when the password is empty after trimming, or cannot be
// encoded, or its length is a multiple of 256, or the cipher refuses the key.
QByteArray KeyForNewPassword(const QString &password);

// The first eight bytes are 1, 2, ..., 8.
bool HasConsultationSignature(QByteArrayView content);

// The stored bytes of an encrypted consultation whose text form (lines in
// Windows-1250, each ended by CR LF) is textForm. Throws EPasswordRefused
// rather than return anything unencrypted.
QByteArray EncryptConsultation(QByteArrayView textForm, const QString &password);

// The bytes of a stored encrypted consultation decrypted with the password
// (trimmed here as well): everything after the signature, padding included,
// so that the last line read from it is the padding line and is dropped.
// Nothing when the signature does not check out: "Chybné heslo.". A file
// shorter than a block, or not a whole number of blocks, is decrypted up to
// its last whole block and judged by the signature alike.
//
// Old files saved with a key the cipher refuses hold the signature and the
// text unencrypted and unpadded. Such a password opens them as they are,
// with padding appended here so that no text line is dropped in its place.
std::optional<QByteArray> DecryptConsultation(QByteArray stored, const QString &password);
