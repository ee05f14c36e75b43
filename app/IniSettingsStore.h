#pragma once
// The settings key kept in an INI file: the desktop has no machine-wide
// registry, so the key "\software\Tavlo\Zendra2.1" becomes a group of a file
// in the user's configuration folder, with integers stored as typed values.

#include "platform/Platform.h"
#include <QSettings>
#include <memory>

class IniSettingsStore : public SettingsStore {
public:
    // path empty: the standard place, ~/.config/Tavlo/Zendra2.1.ini
    explicit IniSettingsStore(const QString &path = QString());
    static QString defaultPath();

    bool keyExists() const override;
    bool contains(const QString &name) const override;
    QString readString(const QString &name) const override;
    qint32 readInteger(const QString &name) const override;
    bool isInteger(const QString &name) const override;
    void writeString(const QString &name, const QString &value) override;
    void writeInteger(const QString &name, qint32 value) override;
    void createKey() override;

private:
    QString qualified(const QString &name) const;
    std::unique_ptr<QSettings> m_settings;
};
