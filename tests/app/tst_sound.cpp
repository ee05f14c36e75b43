// The desktop's sound output: Qt Multimedia is not in the process until the
// first play loads the sound module, and a missing module or wave is a
// failed play, never a crash.

#include "app/DesktopPlatform.h"
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool MultimediaLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void firstPlayLoadsTheModule();
    void playFailsWithoutModuleOrWave();
};

void TestSound::firstPlayLoadsTheModule()
{
    MultimediaSound sound({QStringLiteral(ZENDRA_SOUND_MODULE_DIR)});
    QVERIFY(!MultimediaLoaded());
    QVERIFY(sound.play(QStringLiteral("Zvonky")));
    QVERIFY(MultimediaLoaded());
    QVERIFY(sound.play(QStringLiteral("hrom"))); // a second play reuses the player, in any case
}

void TestSound::playFailsWithoutModuleOrWave()
{
    MultimediaSound sound({QStringLiteral(ZENDRA_SOUND_MODULE_DIR)});
    QVERIFY(!sound.play(QStringLiteral("Zvonky5")));
    QTemporaryDir empty;
    MultimediaSound lost({empty.path()});
    QVERIFY(!lost.play(QStringLiteral("Zvonky")));
    QVERIFY(!lost.play(QStringLiteral("Zvonky"))); // tried once, then stays silent
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
