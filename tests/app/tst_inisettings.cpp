// The settings key kept in an INI file in place of the registry.

#include "app/IniSettingsStore.h"
#include <QTemporaryDir>
#include <QTest>

class TestIniSettings : public QObject {
    Q_OBJECT
private slots:
    void keyValuesAndTypes();
};

void TestIniSettings::keyValuesAndTypes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zendra2.1.ini"));
    {
        IniSettingsStore store(path);
        QVERIFY(!store.keyExists());
        QVERIFY(!store.contains(QStringLiteral("FS")));
        store.createKey();
        QVERIFY(store.keyExists()); // a key may exist without values
        store.writeInteger(QStringLiteral("FS"), 1);
        store.writeString(QStringLiteral("FontM1"), QStringLiteral("Arial CE,11,0000,$00E8F4D0"));
        store.writeString(QStringLiteral("Dir"), QStringLiteral("/home/já/Zendra"));
    }
    IniSettingsStore again(path);
    QVERIFY(again.keyExists());
    QVERIFY(again.isInteger(QStringLiteral("FS")));
    QCOMPARE(again.readInteger(QStringLiteral("FS")), 1);
    QVERIFY(!again.isInteger(QStringLiteral("FontM1")));
    QCOMPARE(again.readString(QStringLiteral("FontM1")), QStringLiteral("Arial CE,11,0000,$00E8F4D0"));
    QCOMPARE(again.readString(QStringLiteral("Dir")), QStringLiteral("/home/já/Zendra"));
    QCOMPARE(again.readInteger(QStringLiteral("FontM1")), 0);
}

QTEST_APPLESS_MAIN(TestIniSettings)
#include "tst_inisettings.moc"
