#pragma once

#include "platform/SoundPlayer.h"

#include <QAudioFormat>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <memory>

class QAudioSink;
class QIODevice;
class SoundFeed;

// The program's player: each recording is read once and kept as samples, and every sound goes
// through one audio stream that stays open between sounds, fed with silence while none plays.
// Opening a stream and waiting for the output's own end-of-sound notice cost over a second
// per word, and closing the stream dropped the last tenth of a second still in the output. A
// sound is reported finished once its last sample is handed to the output: what the output
// still holds then is as long as what delays the next sound's start, so the pauses between
// the words are heard as planned.
class SinkSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SinkSoundPlayer)
public:
    explicit SinkSoundPlayer(QObject* parent = nullptr);
    ~SinkSoundPlayer() override;

    void play(const QString& path, Finished finished) override;
    void stop() override;

private:
    struct Sound {
        QAudioFormat format;
        QByteArray samples;
        QDateTime modified;
        qint64 size = 0;
    };
    // The recording at `path`, read again when the file has changed.
    const Sound* load(const QString& path, QString* error);
    void poll();
    void pump();
    void finish(bool played, const QString& reason);
    void closeStream();

    QHash<QString, Sound> m_sounds;
    std::unique_ptr<QAudioSink> m_sink;
    QAudioFormat m_format;         // the stream's, as opened
    QIODevice* m_output = nullptr; // the sink's, written as it takes samples
    std::unique_ptr<SoundFeed> m_feed;
    QTimer m_poll;
    Finished m_finished;
};
