// The zendra-sound module: plays wave files through Qt Multimedia.
#include "app/SoundModule.h"
#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectPlayer : public WaveFilePlayer {
public:
    void play(const QString &path) override
    {
        m_effect.stop();
        m_effect.setSource(QUrl::fromLocalFile(path));
        m_effect.setLoopCount(1);
        m_effect.play();
    }

private:
    QSoundEffect m_effect;
};

} // namespace

extern "C" Q_DECL_EXPORT WaveFilePlayer *ZendraCreateWaveFilePlayer() { return new EffectPlayer; }
