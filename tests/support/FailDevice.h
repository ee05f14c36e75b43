#pragma once
// Fault injection for writers: while a FailingSaves lives, every save target
// fails when opened, after a number of bytes, or when committed. A real
// QSaveFile stands behind it, so a test sees what a failure leaves on disk.

#include "files/SaveTarget.h"
#include <QIODevice>
#include <QSaveFile>

struct FailPlan {
    enum Step { OnOpen, AfterBytes, OnCommit } step;
    qint64 bytes = 0; // AfterBytes: how many get through
};

// The reasons given, as a system would give them.
inline const QString kOpenRefused = QStringLiteral("Přístup odepřen");
inline const QString kDiskFull = QStringLiteral("Na zařízení nezbývá místo");
inline const QString kRenameFailed = QStringLiteral("Soubor nelze přejmenovat");

// Passes writes on to the file until the plan's byte count, then fails.
class FailDevice : public QIODevice {
public:
    FailDevice(QSaveFile &file, qint64 limit) : m_file(file), m_limit(limit) {}
    qint64 written = 0;
    bool failed = false;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 part = m_limit < 0 ? size : qBound<qint64>(0, m_limit - written, size);
        written += m_file.write(data, part);
        failed = failed || part < size;
        setErrorString(kDiskFull);
        return failed ? -1 : size;
    }

private:
    QSaveFile &m_file;
    qint64 m_limit; // -1: none
};

class FailingSaves {
public:
    // taken: the bytes the last target took
    explicit FailingSaves(FailPlan plan, qint64 *taken = nullptr);

private:
    SaveTargetOverride m_override;
};
