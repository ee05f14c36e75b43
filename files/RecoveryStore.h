#pragma once
// Recovery copies of consultations with unsaved changes, so that a crash or
// a power cut costs at most the last half minute of typing.
//
// Every running Zendra holds a session in the recovery folder: a lock file
// "<session>.lock", its running mark, and one file "<session>-<slot>.obnova"
// for each consultation slot with unsaved changes. A clean close removes the
// copies and then the mark. Copies whose session has no live mark were left
// by a crash (or a kill, or a power cut); the next start offers them.
//
// A consultation bound to an encrypted file keeps its copy in the encrypted
// form of consultation files, under the password of its last open or save;
// without that password it gets no copy at all, so its plain text never
// reaches the disk. Other copies hold the text as UTF-8: a character the
// file code page lacks is not lost to a crash either.
//
// The folder is the user's alone (0700), every copy too (0600), and every
// copy is written through QSaveFile, so a crash while writing leaves the
// previous copy whole.

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

// What a consultation slot is restored from.
struct RecoveryCopy {
    QString name;      // the slot's caption: "Nový 3", or the path of its file
    QString fileName;  // the file it is bound to; empty when never saved
    QStringList lines; // the slot's lines, the marker line included
    QString password;  // of its last open or save; used only for an encrypted binding

    bool operator==(const RecoveryCopy &) const = default;
};

// A copy as read back: its header, and its text still in stored form.
struct RecoveryFile {
    QString path; // where it lies; empty for bytes parsed on their own
    QString name;
    QString fileName;
    QDateTime written; // UTC
    bool encrypted = false;
    QByteArray body;
};

namespace Recovery {

inline const QString kSuffix = QStringLiteral(".obnova");

// The copy of a consultation bound to this file must be encrypted.
bool NeedsEncryption(const QString &fileName);

// The bytes of a recovery file, or nothing when the consultation may have
// no copy: bound to an encrypted file without a password the cipher takes.
std::optional<QByteArray> FileBytes(const RecoveryCopy &copy, const QDateTime &written);

// The header and body of a recovery file; nothing when it is not one.
std::optional<RecoveryFile> ParseFile(QByteArrayView bytes);

// The lines of a copy read back; nothing when the password does not open
// an encrypted one, or its decrypted form is damaged.
std::optional<QStringList> Lines(const RecoveryFile &file, const QString &password = QString());

} // namespace Recovery

class RecoveryStore {
public:
    // Creates the folder when missing, narrows it to the user, and starts a
    // session: its running mark is taken at once, so that another Zendra
    // starting now leaves this one's copies alone.
    explicit RecoveryStore(const QString &folder);
    // Releases the running mark but leaves the copies: only closeCleanly()
    // says that nothing is to be recovered.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // The user's data folder of the program, subfolder "obnova".
    static QString DefaultFolder();
    const QString &folder() const { return m_folder; }
    // False when the folder could not be made or the mark not taken.
    bool isRunning() const;

    // Writes slot k's copy unless the same copy is there already. A
    // consultation that may have no copy loses any old one instead. Throws
    // EFileError when the file cannot be written.
    void keep(int slot, const RecoveryCopy &copy);
    // Removes slot k's copy, if it has one.
    void drop(int slot);
    // The clean close: every copy of this session goes, then its mark.
    void closeCleanly();
    // The files of this session's copies, by slot.
    QString pathOf(int slot) const;

    // Copies left by sessions that ended without a clean close, oldest
    // first. Their sessions are claimed until releaseClaims(), so that a
    // second Zendra starting meanwhile does not offer them too. Files that
    // are no recovery copies are left where they are and not listed; the
    // marks of dead sessions without copies are removed.
    QList<RecoveryFile> claimAbandoned();
    // Deletes a claimed copy once it is restored or discarded.
    void forget(const RecoveryFile &file);
    // Lets the claimed sessions go; their copies not forgotten are offered
    // again at the next start.
    void releaseClaims();

private:
    QString m_folder;
    QString m_session;
    std::unique_ptr<QLockFile> m_mark;
    std::vector<std::unique_ptr<QLockFile>> m_claims;
    QHash<int, RecoveryCopy> m_kept; // what each slot's file holds now
};
