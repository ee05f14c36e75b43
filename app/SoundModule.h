#pragma once
// The sound output lives in a module of its own, zendra-sound, loaded at the
// first play. Qt Multimedia and the audio and codec libraries behind it take
// start-up time and a few megabytes that a start which never plays a sound
// should not pay; linked into the program they would load before main().

#include <QString>

class WaveFilePlayer {
public:
    virtual ~WaveFilePlayer() = default;
    // Stops what still sounds and starts the wave file once, without waiting.
    virtual void play(const QString &path) = 0;
};

// The module's one export: makes the player.
using CreateWaveFilePlayer = WaveFilePlayer *(*)();
inline constexpr char kCreateWaveFilePlayer[] = "ZendraCreateWaveFilePlayer";
