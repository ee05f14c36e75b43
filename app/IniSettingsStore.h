#pragma once
// The settings key kept in an INI file: the desktop has no machine-wide
// registry, so the key "\software\Tavlo\Zendra2.1" becomes a group of a file
// in the user's configuration folder, with integers stored as typed values.
//
// Values written are held until commit(), which writes the file once, in the
// form QSettings gives it, through a SaveTarget: a failed write leaves the
// old file whole and is reported once, not once per value.

#include "platform/Platform.h"
#include <QMap>
#include <QSettings>
#include <memory>

class IniSettingsStore : public SettingsStore {
public:
    // path empty: the standard place, ~/.config/Tavlo/Zendra2.1.ini
    explicit IniSettingsStore(const QString &path = QString());
    // Writes what was never committed, without a word: nobody is left to tell.
    ~IniSettingsStore() override;
    static QString defaultPath();
    QString path() const { return m_path; }

    bool keyExists() const override;
    bool contains(const QString &name) const override;
    QString readString(const QString &name) const override;
    qint32 readInteger(const QString &name) const override;
    bool isInteger(const QString &name) const override;
    void writeString(const QString &name, const QString &value) override;
    void writeInteger(const QString &name, qint32 value) override;
    void createKey() override;
    QString commit() override;

private:
    QString qualified(const QString &name) const;
    QVariant value(const QString &key) const;
    void set(const QString &key, const QVariant &value);
    QString m_path;
    std::unique_ptr<QSettings> m_settings; // reads the file as it was; never writes it
    QMap<QString, QVariant> m_written;     // every value written in this run
    QMap<QString, QVariant> m_pending;     // those not yet in the file
};
