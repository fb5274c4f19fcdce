#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>

#include <memory>

class QSoundEffect;

// The program's player: each file is loaded and played by Qt Multimedia, and reported finished
// when it has stopped playing. It may never report a sound that hangs: WatchdogSoundPlayer
// goes around it.
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

    std::unique_ptr<QSoundEffect> m_effect;
    Finished m_finished;
};
