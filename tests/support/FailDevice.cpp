#include "support/FailDevice.h"

qint64 FailDevice::writeData(const char *data, qint64 size)
{
    const qint64 room = m_limit < 0 ? size : qMax<qint64>(0, m_limit - m_written);
    const qint64 part = qMin(size, room);
    if (part > 0 && m_to.write(data, part) != part) {
        m_failed = true;
        setErrorString(m_to.errorString());
        return -1;
    }
    m_written += part;
    if (part < size) {
        m_failed = true;
        setErrorString(kDiskFull);
        return -1;
    }
    return size;
}

FailingSaveTarget::FailingSaveTarget(const QString &path, FailPlan plan, qint64 *counted)
    : m_file(path), m_plan(plan), m_device(m_file, plan.step == FailPlan::AfterBytes ? plan.bytes : -1),
      m_counted(counted)
{
}

FailingSaveTarget::~FailingSaveTarget()
{
    if (m_counted)
        *m_counted = m_device.written();
}

QString FailingSaveTarget::errorString() const
{
    if (!m_error.isEmpty())
        return m_error;
    return m_device.failed() ? m_device.errorString() : m_file.errorString();
}

bool FailingSaveTarget::open()
{
    if (m_plan.step == FailPlan::OnOpen) {
        m_error = kOpenRefused;
        return false;
    }
    return m_file.open(QIODevice::WriteOnly) && m_device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool FailingSaveTarget::commit()
{
    if (m_device.failed()) { // as a QSaveFile does after a failed write
        m_error = m_device.errorString();
        return false;
    }
    if (m_plan.step == FailPlan::OnCommit) {
        m_error = kRenameFailed; // the file stays uncommitted; its temporary file goes with it
        return false;
    }
    return m_file.commit();
}

FailingSaves::FailingSaves(FailPlan plan, qint64 *counted)
    : m_override([plan, counted](const QString &path) {
          return std::make_unique<FailingSaveTarget>(path, plan, counted);
      })
{
}
