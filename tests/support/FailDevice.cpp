#include "support/FailDevice.h"

namespace {
class FailingTarget : public SaveTarget {
public:
    FailingTarget(const QString &path, FailPlan plan, qint64 *taken)
        : m_file(path), m_plan(plan), m_device(m_file, plan.step == FailPlan::AfterBytes ? plan.bytes : -1),
          m_taken(taken)
    {
    }
    ~FailingTarget() override
    {
        if (m_taken)
            *m_taken = m_device.written;
    } // the uncommitted QSaveFile takes its temporary file with it
    bool open() override
    {
        m_error = m_plan.step == FailPlan::OnOpen ? kOpenRefused : QString();
        return m_error.isEmpty() && m_file.open(QIODevice::WriteOnly)
               && m_device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    QIODevice &device() override { return m_device; }
    bool commit() override
    {
        m_error = m_device.failed ? kDiskFull : m_plan.step == FailPlan::OnCommit ? kRenameFailed : QString();
        return m_error.isEmpty() && m_file.commit();
    }
    QString errorString() const override
    {
        return m_device.failed ? kDiskFull : m_error.isEmpty() ? m_file.errorString() : m_error;
    }

private:
    QSaveFile m_file;
    FailPlan m_plan;
    FailDevice m_device;
    qint64 *m_taken;
    QString m_error;
};
} // namespace

FailingSaves::FailingSaves(FailPlan plan, qint64 *taken)
    : m_override([plan, taken](const QString &path) { return std::make_unique<FailingTarget>(path, plan, taken); })
{
}
