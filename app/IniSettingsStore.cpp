#include "app/IniSettingsStore.h"
#include <QStandardPaths>

namespace {
const QString kKeyGroup = QStringLiteral("software/Tavlo/Zendra2.1");
const QString kKeyMarker = QStringLiteral("software/Tavlo/Zendra2.1/.key");
const QString kIntPrefix = QStringLiteral("@int:");
} // namespace

IniSettingsStore::IniSettingsStore(const QString &path)
    : m_settings(std::make_unique<QSettings>(path.isEmpty() ? defaultPath() : path, QSettings::IniFormat))
{
}

QString IniSettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Tavlo/Zendra2.1.ini");
}

QString IniSettingsStore::qualified(const QString &name) const { return kKeyGroup + u'/' + name; }

bool IniSettingsStore::keyExists() const
{
    if (m_settings->contains(kKeyMarker))
        return true;
    m_settings->beginGroup(kKeyGroup);
    const bool any = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    return any;
}

bool IniSettingsStore::contains(const QString &name) const { return m_settings->contains(qualified(name)); }

QString IniSettingsStore::readString(const QString &name) const
{
    const QString raw = m_settings->value(qualified(name)).toString();
    return raw.startsWith(kIntPrefix) ? raw.mid(kIntPrefix.size()) : raw;
}

bool IniSettingsStore::isInteger(const QString &name) const
{
    return m_settings->value(qualified(name)).toString().startsWith(kIntPrefix);
}

qint32 IniSettingsStore::readInteger(const QString &name) const
{
    bool ok = false;
    const qint32 v = readString(name).toInt(&ok);
    return ok ? v : 0;
}

void IniSettingsStore::writeString(const QString &name, const QString &value)
{
    m_settings->setValue(qualified(name), value);
    m_settings->sync();
}

void IniSettingsStore::writeInteger(const QString &name, qint32 value)
{
    m_settings->setValue(qualified(name), kIntPrefix + QString::number(value));
    m_settings->sync();
}

void IniSettingsStore::createKey()
{
    m_settings->setValue(kKeyMarker, 1);
    m_settings->sync();
}
