#pragma once
// Reads the journal's files on a thread of its own, so that a folder of
// thousands of consultations leaves the window responsive. Results come back
// in batches, each marked with the job that read them: a job replaced by a
// newer one (another folder, a cancel, a closed window) may still deliver a
// batch already on its way, and the receiver drops it by its job number.

#include "tools/Journal.h"
#include <QList>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

class QThread;

class JournalReader : public QObject {
    Q_OBJECT
public:
    struct Job {
        QString folder;
        bool subfolders = false;
        QStringList paths; // to read again; empty: every candidate of the folder
        QString key;       // for protected files; empty: they come back locked
    };

    explicit JournalReader(QObject *parent = nullptr);
    // Cancels and waits for every thread still running.
    ~JournalReader() override;

    // Cancels the running job and starts this one; returns its number.
    int start(const Job &job);
    void cancel();
    bool running() const { return m_running; }
    int job() const { return m_job; }

    int batchSize = 200;      // results per batch at most
    int batchIntervalMs = 80; // a batch at least this often while reading
    // Called on the reading thread before each file (tests hold the reading here).
    std::function<void()> beforeFile;
    // No thread of this reader is running any more, cancelled ones included.
    bool threadsDone() const;

signals:
    // The number of files the job will read.
    void listed(int job, int total);
    void batch(int job, const QList<Journal::FileResult> &results, int done);
    void finished(int job, bool cancelled);

private:
    struct Running {
        QThread *thread;
        std::shared_ptr<std::atomic_bool> cancel;
    };
    void reap();

    QList<Running> m_threads;
    int m_job = 0;
    bool m_running = false;
};
