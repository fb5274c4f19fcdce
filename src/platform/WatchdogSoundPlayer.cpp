#include "platform/WatchdogSoundPlayer.h"

#include <QDir>

WatchdogSoundPlayer::WatchdogSoundPlayer(SoundPlayer& player, std::chrono::milliseconds limit)
    : m_player(player)
{
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(limit);
}

WatchdogSoundPlayer::~WatchdogSoundPlayer()
{
    stop();
}

void WatchdogSoundPlayer::play(const QString& path, Finished finished)
{
    // The player is not stopped in between: it keeps its output open from one sound to the next.
    forget();
    m_finished = std::move(finished);
    const int generation = m_generation;
    const QString shown = QDir::toNativeSeparators(path);
    QObject::disconnect(&m_watchdog, nullptr, nullptr, nullptr);
    QObject::connect(&m_watchdog, &QTimer::timeout, &m_watchdog, [this, shown] {
        ++m_generation;
        m_player.stop();
        if (auto done = std::exchange(m_finished, nullptr))
            done(false,
                 QStringLiteral("La riproduzione del file audio '%1' non è terminata in tempo.")
                     .arg(shown));
    });
    m_watchdog.start();
    m_player.play(path, [this, generation](bool played, const QString& reason) {
        if (generation != m_generation)
            return;
        m_watchdog.stop();
        if (auto done = std::exchange(m_finished, nullptr))
            done(played, reason);
    });
}

void WatchdogSoundPlayer::stop()
{
    forget();
    m_player.stop();
}

void WatchdogSoundPlayer::forget()
{
    ++m_generation;
    m_watchdog.stop();
    m_finished = nullptr;
}
