#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QTimer>

#include <chrono>

// Cuts a sound that has not ended within a limit, so that a player that never reports the end
// cannot hold the dictation: the sound is stopped and reported as not played, with the reason.
class WatchdogSoundPlayer final : public SoundPlayer {
    Q_DISABLE_COPY_MOVE(WatchdogSoundPlayer)
public:
    // The recordings last a second or two; ten seconds is longer than any of them.
    static constexpr std::chrono::milliseconds DefaultLimit{10000};

    explicit WatchdogSoundPlayer(SoundPlayer& player,
                                 std::chrono::milliseconds limit = DefaultLimit);
    ~WatchdogSoundPlayer() override;

    void play(const QString& path, Finished finished) override;
    void stop() override;

private:
    // Drops the sound under way: its end, or its cut, is no longer told.
    void forget();

    SoundPlayer& m_player;
    QTimer m_watchdog;
    Finished m_finished;
    // Tells the current sound's end from that of a sound already cut or stopped.
    int m_generation = 0;
};
