#pragma once
// Every write of a user's file goes through a SaveTarget. The standard one
// is a QSaveFile: the bytes go to a temporary file beside the old one, which
// is replaced only by commit(), so a failed or interrupted write leaves the
// old file whole. A target that is destroyed without a commit removes its
// temporary file. Tests install a device that fails on demand in its place.

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

class QIODevice;

// A file that cannot be read or written; the message is Czech, names the
// file and gives the platform's reason.
class EFileError : public std::runtime_error {
public:
    explicit EFileError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

class SaveTarget {
public:
    virtual ~SaveTarget() = default;
    // Opens the device for writing; false when no temporary file can be made.
    virtual bool open() = 0;
    virtual QIODevice &device() = 0;
    // Puts what was written in the place of the file; false leaves the old one.
    virtual bool commit() = 0;
    // The platform's reason for the last failure.
    virtual QString errorString() const = 0;
};

using SaveTargetFactory = std::function<std::unique_ptr<SaveTarget>(const QString &path)>;

// A QSaveFile for the path, or what a test installed; not yet open.
std::unique_ptr<SaveTarget> MakeSaveTarget(const QString &path);

// Makes every save target with the factory while it lives (tests).
class SaveTargetOverride {
public:
    explicit SaveTargetOverride(SaveTargetFactory factory);
    ~SaveTargetOverride();
    SaveTargetOverride(const SaveTargetOverride &) = delete;
    SaveTargetOverride &operator=(const SaveTargetOverride &) = delete;

private:
    SaveTargetFactory m_previous;
};

namespace SaveMessages {
// "Soubor X nelze uložit: reason"
QString CannotSave(const QString &path, const QString &reason);
} // namespace SaveMessages

// Writes the bytes as the whole new content of the file. Throws EFileError
// with SaveMessages::CannotSave when any step fails.
void SaveWhole(const QString &path, QByteArrayView bytes);
