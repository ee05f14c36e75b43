#pragma once
// Find in files below the window: which entries of a folder are searched and
// in what order, and the text of a candidate file exactly as the editor will
// show it once the file is opened, so that a match position found here is a
// selection there.
//
// A folder is searched in two phases, "*.txt" first and then "*.txg", each in
// the order the directory returns its entries. The masks match regardless of
// letter case, as they did on the system the files come from, but only a name
// ending exactly in ".txt" is read as a plain file: "A.TXT" is found in the
// first phase and read as a protected one, as saving would have written it.
// Subfolders are not entered; a folder whose name fits a mask is not a file
// and is never listed.

#include "tools/TextSearch.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QDirIterator;

namespace FileSearch {

inline const QString kPlainMask = QStringLiteral("*.txt");
inline const QString kProtectedMask = QStringLiteral("*.txg");
// Followed by the file's full path.
inline const QString kWrongKeyIn = QStringLiteral("Chybné heslo v souboru: ");

// A candidate larger than this is not a consultation and is skipped rather
// than read whole into memory.
inline constexpr qint64 kLargestCandidateBytes = 64 << 20;

enum class Phase { Plain, Protected };

// The directory enumeration that stays open between presses of the window's
// buttons. Ending it, or destroying it, frees the directory handle.
class Enumeration {
public:
    Enumeration();
    ~Enumeration();
    Enumeration(const Enumeration &) = delete;
    Enumeration &operator=(const Enumeration &) = delete;

    // Ends any open enumeration and starts the first phase over folder.
    void start(const QString &folder);
    // The next entry's file name (no folder), going on to the second phase
    // when the first is exhausted; nothing once both are, which ends it.
    std::optional<QString> next();
    void end();
    bool isOpen() const { return m_iterator != nullptr; }
    // The phase of the entry last returned.
    Phase phase() const { return m_phase; }
    QString folder() const { return m_folder; }

private:
    void open(Phase phase);

    QString m_folder;
    Phase m_phase = Phase::Plain;
    std::unique_ptr<QDirIterator> m_iterator;
};

// All entries of both phases, in the order the window meets them.
QStringList Entries(const QString &folder);

// The text the editor shows for a document's lines: a first line that the
// marker parse hides or drops is left out, the rest joined by one LF. A
// no-break space is searched as a space, so a phrase typed with ordinary
// spaces finds it.
QString EditorText(QStringList lines);

// The editor text of a plain file's bytes, in UTF-8 when the editor reads
// them so.
QString PlainFileText(QByteArrayView bytes);
// The editor text of a protected file's content after decryption and the
// signature: the padding goes, or the last line when the padding is damaged.
QString DecryptedFileText(QByteArrayView body);
// The editor text of a protected file's stored bytes opened with key;
// nothing when the key does not open it.
std::optional<QString> ProtectedFileText(QByteArrayView stored, const QString &key);

// The bytes of one candidate file; nothing when it is missing, unreadable,
// larger than kLargestCandidateBytes, or not a file at all.
std::optional<QByteArray> ReadCandidateFile(const QString &path);

// The first match in a candidate's text, or -1; an empty text never matches.
inline qsizetype FirstMatch(const QString &text, const QString &phrase, const SearchOptions &options)
{
    return FindPhrase(text, phrase, 0, options);
}

// The folder find in files starts in: "Data" under the installation folder
// when both are there; else the consultation folder the save dialog starts
// in ("Data" under the working folder) when it exists; else the working
// folder itself when it can be written and is not the file-system root;
// else the user's home.
QString StartFolder(const QString &installDir, const QString &workingDir, const QString &homeDir);

} // namespace FileSearch
