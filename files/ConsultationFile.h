#pragma once
// The saved form of a consultation. Lines are Windows-1250 text, each ended
// by CR LF; a file named exactly "*.txt" holds just that, any other name
// holds it encrypted behind the eight signature bytes (see PasswordRules).
// Reading accepts CR LF, a lone CR or a lone LF, a last line without an
// end, and stops at a NUL byte. A plain file written by another editor in
// UTF-8 is recognised and read as such; saving always writes Windows-1250.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include "files/SaveTarget.h"
#include <optional>

namespace ConsultationFile {

inline const QString kPlainSuffix = QStringLiteral(".txt");

// Plain exactly when the name ends in ".txt", case distinguished.
bool IsPlainName(const QString &path);

// The characters of the lines that Windows-1250 cannot hold, each once.
QString UnrepresentableCharacters(const QStringList &lines);
// The text form; characters Windows-1250 lacks become '?'.
QByteArray TextForm(const QStringList &lines);
// The lines of Windows-1250 text.
QStringList ReadLines(QByteArrayView bytes);

// A plain file is read as UTF-8 when it starts with the byte-order mark, or
// when it is well-formed UTF-8 holding at least one multi-byte sequence (a
// Windows-1250 text of any length is almost never that); as Windows-1250
// otherwise.
bool IsUtf8PlainText(QByteArrayView bytes);
// With maxLines at 0 or more, only the first lines are decoded; the
// encoding is still judged on all the bytes.
QStringList ReadPlainLines(QByteArrayView bytes, qsizetype maxLines = -1);

// The lines of decrypted content (what follows the signature): its padding
// is taken off by its count byte, so nothing of the text is lost with it.
QStringList ReadDecryptedLines(QByteArrayView body);

// Where the open and save dialogs start: the folder "Data" in the working
// folder (the working folder itself while it has none), with the file name
// of the consultation when it has one. Never a bare "Data" that a dialog
// would offer as the name of the file.
QString DialogStartPath(const QString &workingFolder, const QString &fileName);

// Whole-file reads and writes; a write goes through a SaveTarget so the old
// file stays whole until the new one is complete. Both throw EFileError.
QByteArray ReadFile(const QString &path);
void WriteFile(const QString &path, QByteArrayView bytes);

// The bytes of a saved consultation in the form its name chooses. Throws
// EPasswordRefused for a password the cipher cannot use.
QByteArray SavedForm(const QString &path, const QStringList &lines, const QString &password);
// The lines of a saved consultation; nothing when the password is wrong.
std::optional<QStringList> OpenedLines(const QString &path, QByteArrayView stored, const QString &password);

} // namespace ConsultationFile
