#pragma once
// TSRWavePlayer: plays one embedded wave asynchronously, once, through the
// program's sound output; a new play stops the one still sounding.

#include "platform/Platform.h"
#include <QObject>
#include <QString>

class TSRWavePlayer : public QObject {
    Q_OBJECT
public:
    explicit TSRWavePlayer(SoundOutput &output, QObject *parent = nullptr) : QObject(parent), m_output(output) {}

    QString WaveName;
    bool Play() { return !WaveName.isEmpty() && m_output.play(WaveName); }

private:
    SoundOutput &m_output;
};
