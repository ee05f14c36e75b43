#include "tools/JournalReader.h"
#include <QElapsedTimer>
#include <QThread>

JournalReader::JournalReader(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<QList<Journal::FileResult>>();
    // Connected first, so that a receiver of finished() already sees the reader idle.
    connect(this, &JournalReader::finished, this, [this](int job, bool) {
        if (job == m_job)
            m_running = false;
    });
}

JournalReader::~JournalReader()
{
    for (const Running &r : std::as_const(m_threads))
        r.cancel->store(true);
    // The threads emit this object's signals: none may outlive it.
    for (const Running &r : std::as_const(m_threads)) {
        r.thread->wait();
        delete r.thread;
    }
}

void JournalReader::cancel()
{
    for (const Running &r : std::as_const(m_threads))
        r.cancel->store(true);
    if (m_running) {
        m_running = false;
        ++m_job; // whatever the old job still sends is late now
    }
}

bool JournalReader::threadsDone() const
{
    return std::all_of(m_threads.begin(), m_threads.end(), [](const Running &r) { return r.thread->isFinished(); });
}

void JournalReader::reap()
{
    for (qsizetype i = m_threads.size() - 1; i >= 0; --i) {
        if (m_threads[i].thread->isFinished()) {
            m_threads[i].thread->wait();
            delete m_threads[i].thread;
            m_threads.removeAt(i);
        }
    }
}

int JournalReader::start(const Job &job)
{
    cancel();
    reap();
    const int number = ++m_job;
    auto stop = std::make_shared<std::atomic_bool>(false);
    const int size = qMax(1, batchSize);
    const int interval = batchIntervalMs;
    const std::function<void()> hold = beforeFile;
    QThread *thread = QThread::create([this, job, number, stop, size, interval, hold] {
        const QStringList paths = job.paths.isEmpty() ? Journal::Candidates(job.folder, job.subfolders) : job.paths;
        if (stop->load()) {
            emit finished(number, true);
            return;
        }
        emit listed(number, int(paths.size()));
        QList<Journal::FileResult> pending;
        QElapsedTimer since;
        since.start();
        int done = 0;
        for (const QString &path : paths) {
            if (hold)
                hold();
            if (stop->load()) {
                emit finished(number, true);
                return;
            }
            pending.append(Journal::ReadFileEntry(job.folder, path, job.key));
            ++done;
            if (pending.size() >= size || since.elapsed() >= interval) {
                emit batch(number, pending, done);
                pending.clear();
                since.restart();
            }
        }
        emit batch(number, pending, done);
        emit finished(number, false);
    });
    connect(thread, &QThread::finished, this, &JournalReader::reap);
    m_threads.append(Running{thread, stop});
    m_running = true;
    thread->start(QThread::LowPriority);
    return number;
}
