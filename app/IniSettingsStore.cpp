#include "app/IniSettingsStore.h"
#include "files/SaveTarget.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
const QString kKeyGroup = QStringLiteral("software/Tavlo/Zendra2.1");
const QString kKeyMarker = QStringLiteral("software/Tavlo/Zendra2.1/.key");
const QString kIntPrefix = QStringLiteral("@int:");

QString CannotSave(const QString &path, const QString &reason)
{
    return QStringLiteral("Nastavení nelze uložit do souboru %1: %2").arg(QDir::toNativeSeparators(path), reason);
}
} // namespace

IniSettingsStore::IniSettingsStore(const QString &path)
    : m_path(path.isEmpty() ? defaultPath() : path),
      m_settings(std::make_unique<QSettings>(m_path, QSettings::IniFormat))
{
}

IniSettingsStore::~IniSettingsStore() { commit(); }

QString IniSettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Tavlo/Zendra2.1.ini");
}

QString IniSettingsStore::qualified(const QString &name) const { return kKeyGroup + u'/' + name; }

QVariant IniSettingsStore::value(const QString &key) const
{
    const auto it = m_written.constFind(key);
    return it != m_written.cend() ? *it : m_settings->value(key);
}

bool IniSettingsStore::keyExists() const
{
    if (contains(QStringLiteral(".key")))
        return true;
    for (auto it = m_written.cbegin(); it != m_written.cend(); ++it)
        if (it.key().startsWith(kKeyGroup + u'/'))
            return true;
    m_settings->beginGroup(kKeyGroup);
    const bool any = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    return any;
}

bool IniSettingsStore::contains(const QString &name) const
{
    return m_written.contains(qualified(name)) || m_settings->contains(qualified(name));
}

QString IniSettingsStore::readString(const QString &name) const
{
    const QString raw = value(qualified(name)).toString();
    return raw.startsWith(kIntPrefix) ? raw.mid(kIntPrefix.size()) : raw;
}

bool IniSettingsStore::isInteger(const QString &name) const
{
    return value(qualified(name)).toString().startsWith(kIntPrefix);
}

qint32 IniSettingsStore::readInteger(const QString &name) const
{
    bool ok = false;
    const qint32 v = readString(name).toInt(&ok);
    return ok ? v : 0;
}

void IniSettingsStore::set(const QString &key, const QVariant &value)
{
    m_written.insert(key, value);
    m_pending.insert(key, value);
}

void IniSettingsStore::writeString(const QString &name, const QString &value) { set(qualified(name), value); }

void IniSettingsStore::writeInteger(const QString &name, qint32 value)
{
    set(qualified(name), kIntPrefix + QString::number(value));
}

void IniSettingsStore::createKey() { set(kKeyMarker, 1); }

QString IniSettingsStore::commit()
{
    if (m_pending.isEmpty())
        return QString();
    // QSettings lays the file out as it always has, in a draft that starts as
    // a copy of the old file; the draft's bytes then replace the file whole.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return CannotSave(m_path, scratch.errorString());
    const QString draftPath = scratch.filePath(QStringLiteral("draft.ini"));
    if (QFileInfo::exists(m_path) && !QFile::copy(m_path, draftPath))
        return CannotSave(m_path, QStringLiteral("nelze přečíst jeho dosavadní obsah"));
    {
        QSettings draft(draftPath, QSettings::IniFormat);
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
            draft.setValue(it.key(), it.value());
        draft.sync();
        if (draft.status() != QSettings::NoError)
            return CannotSave(m_path, QStringLiteral("nelze sestavit jeho obsah"));
    }
    QFile draft(draftPath);
    if (!draft.open(QIODevice::ReadOnly))
        return CannotSave(m_path, draft.errorString());
    const QByteArray bytes = draft.readAll();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const std::unique_ptr<SaveTarget> target = MakeSaveTarget(m_path);
    if (!target->open() || target->device().write(bytes) != bytes.size() || !target->commit())
        return CannotSave(m_path, target->errorString());
    m_pending.clear();
    return QString();
}
