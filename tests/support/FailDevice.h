#pragma once
// Fault injection for writers: a save target that fails when it is opened,
// after a given number of bytes, or when it is committed. A real QSaveFile
// stands behind it, so a test sees what a failure leaves on disk: the old
// file as it was, and whether a temporary file stayed behind.

#include "files/SaveTarget.h"
#include <QIODevice>
#include <QSaveFile>
#include <memory>

struct FailPlan {
    enum Step { Never, OnOpen, AfterBytes, OnCommit };
    Step step = Never;
    qint64 bytes = 0; // AfterBytes: the bytes that get through
    static FailPlan after(qint64 n) { return {AfterBytes, n}; }
};

// The reasons the failing target gives, as a system would.
inline const QString kOpenRefused = QStringLiteral("Přístup odepřen");
inline const QString kDiskFull = QStringLiteral("Na zařízení nezbývá místo");
inline const QString kRenameFailed = QStringLiteral("Soubor nelze přejmenovat");

// Passes writes to another device until its limit, then fails.
class FailDevice : public QIODevice {
public:
    FailDevice(QIODevice &to, qint64 limit) : m_to(to), m_limit(limit) {}
    qint64 written() const { return m_written; }
    bool failed() const { return m_failed; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_to;
    qint64 m_limit; // -1: no limit
    qint64 m_written = 0;
    bool m_failed = false;
};

class FailingSaveTarget : public SaveTarget {
public:
    FailingSaveTarget(const QString &path, FailPlan plan, qint64 *counted = nullptr);
    ~FailingSaveTarget() override;
    bool open() override;
    QIODevice &device() override { return m_device; }
    bool commit() override;
    QString errorString() const override;

private:
    QSaveFile m_file;
    FailPlan m_plan;
    FailDevice m_device;
    qint64 *m_counted;
    QString m_error;
};

// Every save target fails by the plan while it lives; `counted` (when given)
// receives the bytes each target took.
class FailingSaves {
public:
    explicit FailingSaves(FailPlan plan, qint64 *counted = nullptr);

private:
    SaveTargetOverride m_override;
};
