#pragma once
// THKStreams: named byte streams kept in memory and saved together to one
// container file, optionally compressed (lh5) and encrypted (the file cipher).
//
// Container file: a compression flag ("&" or " "), an encryption flag ("*"
// or " "), then the payload. The payload is the inner image, compressed
// first and encrypted second when asked:
//
//   signature 01..08 | count (int32 LE) | per entry: name length (uint16 LE),
//   name bytes, data size (int32 LE), data
//
// Entries are sorted by name without regard to case; the order is that of
// the case-folded names read as Windows-1250, so the bytes a container saves
// do not depend on the locale of the machine.
//
// Every count and size in a file is checked against the bytes that are left
// before anything is allocated for it, so a short file cannot make us reserve
// gigabytes; a compressed container may not declare more than 64 MiB of
// content for the same reason. An encryption key the cipher cannot use is refused before a
// single byte reaches the destination: an encrypted container never holds
// its content in the clear.

#include "notes/CorruptFile.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <map>
#include <stdexcept>

class QIODevice;

// Failures of the streams under a container: opening, creating, reading and
// writing. The messages are those the user sees.
// A failure of the file system also carries the platform's reason, which
// the messages shown to the user prefer.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString &message, const QString &reason = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_reason(reason) {}
    const QString &message() const { return m_message; }
    // The platform's reason when there is one, the message otherwise.
    QString reason() const { return m_reason.isEmpty() ? m_message : m_reason; }

private:
    QString m_message;
    QString m_reason;
};

class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(const QString &fileName, const QString &reason = QString());
};

class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(const QString &fileName, const QString &reason = QString());
};

class EReadError : public EStreamError {
public:
    explicit EReadError(const QString &reason = QString());
};

class EWriteError : public EStreamError {
public:
    explicit EWriteError(const QString &reason = QString());
};

namespace StreamMessages {
inline const QString kCorrupt = QStringLiteral("File is corrupt.");
inline const QString kRead = QStringLiteral("Stream read error");
inline const QString kWrite = QStringLiteral("Stream write error");
inline const QString kOpen = QStringLiteral("Cannot open file %1");
inline const QString kCreate = QStringLiteral("Cannot create file %1");
inline const QString kTooLargeToCompress =
    QStringLiteral("Obsah je pro komprimovaný soubor příliš velký (nejvýše 64 MiB).");
} // namespace StreamMessages

class THKStreams {
public:
    static constexpr char kCompressedFlag = '&';
    static constexpr char kEncryptedFlag = '*';
    static constexpr char kPlainFlag = ' ';
    static constexpr char kSignature[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    static constexpr qsizetype kSignatureBytes = 8;
    static constexpr qsizetype kFlagBytes = 2;
    // The smallest entry: a name length and a data size with nothing after.
    static constexpr qsizetype kSmallestEntryBytes = 2 + 4;
    static constexpr qsizetype kLongestName = 0xFFFF;
    static constexpr qsizetype kLargestData = 0x7FFFFFFF;
    // lh5 codes a run of zeros in a few bits per 16 MiB, so a compressed
    // container of a few kilobytes may declare gigabytes of content. The
    // compressed form therefore holds at most this much, on saving and on
    // loading alike.
    static constexpr qsizetype kLargestCompressedImage = 64 << 20;

    THKStreams() = default;
    THKStreams(const THKStreams &) = delete;
    THKStreams &operator=(const THKStreams &) = delete;

    bool Compressed() const { return m_compressed; }
    void setCompressed(bool on) { m_compressed = on; }
    bool Encrypted() const { return m_encrypted; }
    void setEncrypted(bool on) { m_encrypted = on; }
    // Single-byte characters (Windows-1250 for keys typed by a user).
    const QByteArray &Key() const { return m_key; }
    void setKey(const QByteArray &key) { m_key = key; }

    // Asked for the key when an encrypted container is loaded; without it
    // the container's Key is used.
    std::function<QByteArray(THKStreams &sender)> OnAskForKey;
    // Told that a damaged container was met, just before ECorruptFile.
    std::function<void(THKStreams &sender)> OnCorrupt;

    // Copies the whole stream, from its start whatever its position, under
    // the name, replacing an entry of that name; the stream ends at its end.
    // Does nothing and returns false for an empty name, a missing stream, or
    // a name or data too long for the file format.
    bool AddStream(const QByteArray &name, QIODevice *stream);
    // Appends the entry's data to the stream at its position and rewinds the
    // stream. A missing entry writes nothing but still rewinds; an empty name
    // leaves the stream alone.
    bool GetStream(const QByteArray &name, QIODevice &stream) const;
    void ClearStreams() { m_entries.clear(); }

    qsizetype Count() const { return qsizetype(m_entries.size()); }
    // The names in container order.
    QList<QByteArray> Names() const;

    // Reading throws ECorruptFile (after OnCorrupt) for a damaged container,
    // EReadError for an inner image that ends too soon, EFOpenError when the
    // file cannot be opened. A container that fails before its entries are
    // read leaves the entries, Key, Compressed and Encrypted as they were.
    void LoadFromStream(QIODevice &source);
    void LoadFromFile(const QString &fileName);

    // Writing throws EPasswordRefused (files/PasswordRules.h) when Encrypted
    // is set and the key cannot key the cipher, before anything is written;
    // EWriteError when the destination takes fewer bytes than given;
    // EStreamError when a compressed container would hold more than
    // kLargestCompressedImage. Saving
    // to a file goes through a SaveTarget, so a failed save leaves the old
    // file whole and no temporary file; a file that cannot be made or put in
    // place gives EFCreateError, a write that fails EWriteError.
    void SaveToStream(QIODevice &dest) const;
    void SaveToFile(const QString &fileName) const;

    // The bytes SaveToStream writes.
    QByteArray ContainerBytes() const;

private:
    struct Entry {
        QByteArray name;
        QByteArray data;
    };
    static QString OrderKey(const QByteArray &name);
    void Store(const QByteArray &name, QByteArray data);
    [[noreturn]] void Corrupt();
    void LoadFromBytes(const QByteArray &file);
    void ReadInnerImage(const QByteArray &image);

    bool m_compressed = true;
    bool m_encrypted = false;
    QByteArray m_key;
    // Keyed by the case-folded name, so iteration is container order.
    std::map<QString, Entry> m_entries;
};
