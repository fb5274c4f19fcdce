#include "platform/ui/EffectSoundPlayer.h"

#include <QAudioDevice>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

EffectSoundPlayer::EffectSoundPlayer(QObject* parent)
    : QObject(parent)
{}

EffectSoundPlayer::~EffectSoundPlayer()
{
    stop();
}

void EffectSoundPlayer::finish(bool played, const QString& reason)
{
    if (auto finished = std::exchange(m_finished, nullptr))
        finished(played, reason);
}

void EffectSoundPlayer::play(const QString& path, Finished finished)
{
    stop();
    m_finished = std::move(finished);
    const QString shown = QDir::toNativeSeparators(path);
    // Reported from the event loop, as a played sound would be.
    const auto refuse = [this](const QString& reason) {
        QTimer::singleShot(0, this, [this, reason] { finish(false, reason); });
    };
    if (!QFileInfo(path).isFile())
        return refuse(QStringLiteral("Il file audio '%1' non esiste.").arg(shown));
    // Without an output the desktop's sound service may never answer at all.
    if (QMediaDevices::audioOutputs().isEmpty())
        return refuse(
            QStringLiteral("Nessuna uscita audio per riprodurre il file '%1'.").arg(shown));
    // A fresh effect per sound: its signals then concern this sound only.
    m_effect = std::make_unique<QSoundEffect>();
    QSoundEffect* effect = m_effect.get();
    connect(effect, &QSoundEffect::statusChanged, this, [this, effect, shown] {
        if (effect->status() == QSoundEffect::Ready && !effect->isPlaying())
            effect->play();
        else if (effect->status() == QSoundEffect::Error)
            finish(false, QStringLiteral("Impossibile riprodurre il file audio '%1'.").arg(shown));
    });
    connect(effect, &QSoundEffect::playingChanged, this, [this, effect] {
        if (!effect->isPlaying() && effect->status() == QSoundEffect::Ready)
            finish(true, {});
    });
    effect->setSource(QUrl::fromLocalFile(path));
}

void EffectSoundPlayer::stop()
{
    m_finished = nullptr;
    if (m_effect) {
        m_effect->disconnect(this);
        m_effect->stop();
        // Deleted from the event loop: the effect may be inside one of its own signals.
        m_effect.release()->deleteLater();
    }
}
