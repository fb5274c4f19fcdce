#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QSoundEffect;

// The program's player: each file is loaded and played by Qt Multimedia, and reported finished
// when it has stopped playing.
class EffectSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EffectSoundPlayer)
public:
    explicit EffectSoundPlayer(QObject* parent = nullptr);
    ~EffectSoundPlayer() override;

    void play(const QString& path, Finished finished) override;
    void stop() override;

private:
    void finish(bool played, const QString& reason);

    // Longer than any word of the dictation.
    static constexpr int MaximumSeconds = 10;

    std::unique_ptr<QSoundEffect> m_effect;
    Finished m_finished;
    QTimer m_watchdog;
    QString m_watchdogPath;
};
