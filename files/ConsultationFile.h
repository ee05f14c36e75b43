#pragma once
// The saved form of a consultation. Lines are Windows-1250 text, each ended
// by CR LF; a file named exactly "*.txt" holds just that, any other name
// holds it encrypted behind the eight signature bytes (see PasswordRules).
// Reading accepts CR LF, a lone CR or a lone LF, a last line without an
// end, and stops at a NUL byte.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// A file that cannot be read or written; the message is the platform's.
class EFileError : public std::runtime_error {
public:
    explicit EFileError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

namespace ConsultationFile {

inline const QString kPlainSuffix = QStringLiteral(".txt");

// Plain exactly when the name ends in ".txt", case distinguished.
bool IsPlainName(const QString &path);

// The characters of the lines that Windows-1250 cannot hold, each once.
QString UnrepresentableCharacters(const QStringList &lines);
// The text form; characters Windows-1250 lacks become '?'.
QByteArray TextForm(const QStringList &lines);
QStringList ReadLines(QByteArrayView bytes);

// The lines of decrypted content (what follows the signature): its padding
// is taken off by its count byte, so nothing of the text is lost with it.
QStringList ReadDecryptedLines(QByteArrayView body);

// Whole-file reads and writes; a write goes through QSaveFile so the old
// file stays whole until the new one is complete. Both throw EFileError.
QByteArray ReadFile(const QString &path);
void WriteFile(const QString &path, QByteArrayView bytes);

// The bytes of a saved consultation in the form its name chooses. Throws
// EPasswordRefused for a password the cipher cannot use.
QByteArray SavedForm(const QString &path, const QStringList &lines, const QString &password);
// The lines of a saved consultation; nothing when the password is wrong.
std::optional<QStringList> OpenedLines(const QString &path, QByteArrayView stored, const QString &password);

} // namespace ConsultationFile
