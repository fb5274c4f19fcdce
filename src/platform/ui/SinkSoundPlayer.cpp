#include "platform/ui/SinkSoundPlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QMediaDevices>
#include <QtEndian>

#include <algorithm>
#include <cstring>

// The samples of the sound being played, then silence for a while so that the stream neither
// runs dry between the words nor stays open for ever once the dictation has stopped.
class SoundFeed final {
public:
    // The longest pause of the dictation is 2.5 s; the stream outlives it.
    static constexpr int SilenceSeconds = 4;

    void queue(const QByteArray& samples, const QAudioFormat& format)
    {
        m_samples = samples;
        m_at = 0;
        m_silence = format.bytesForDuration(SilenceSeconds * 1000000LL);
    }
    void clear()
    {
        m_samples.clear();
        m_at = 0;
        m_silence = 0;
    }
    bool soundHandedOver() const { return m_at >= m_samples.size(); }
    bool exhausted() const { return soundHandedOver() && m_silence == 0; }

    // Writes into `output` as much as it takes now, whole frames only.
    void pump(QIODevice& output, qint64 room, int frameBytes)
    {
        room -= room % frameBytes;
        const qint64 fromSound = std::min(room, qint64(m_samples.size()) - m_at);
        if (fromSound > 0) {
            const qint64 written = output.write(m_samples.constData() + m_at, fromSound);
            if (written <= 0)
                return;
            m_at += written;
            room -= written;
        }
        const qint64 quiet = std::min(room, m_silence);
        if (quiet > 0 && soundHandedOver()) {
            m_zeros.resize(qsizetype(quiet), '\0');
            const qint64 written = output.write(m_zeros.constData(), quiet);
            if (written > 0)
                m_silence -= written;
        }
    }

private:
    QByteArray m_samples;
    qint64 m_at = 0;
    qint64 m_silence = 0;
    QByteArray m_zeros;
};

namespace {

constexpr qint64 LeadInMicroseconds = 250000;

// The samples and their format from a RIFF WAVE file of integer or floating-point PCM; false
// with the reason otherwise.
bool readWave(const QByteArray& file, QAudioFormat& format, QByteArray& samples, QString& why)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") {
        why = QStringLiteral("non è un file WAVE");
        return false;
    }
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qint64 length = qFromLittleEndian<quint32>(file.constData() + at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && length >= 16 && body + 16 <= file.size()) {
            const char* f = file.constData() + body;
            quint16 tag = qFromLittleEndian<quint16>(f);
            const int channels = qFromLittleEndian<quint16>(f + 2);
            const int rate = int(qFromLittleEndian<quint32>(f + 4));
            const int bits = qFromLittleEndian<quint16>(f + 14);
            // The extensible layout names the real kind in the first two bytes of its GUID.
            if (tag == 0xFFFE && length >= 26 && body + 26 <= file.size())
                tag = qFromLittleEndian<quint16>(f + 24);
            QAudioFormat::SampleFormat sampleFormat = QAudioFormat::Unknown;
            if (tag == 1 && bits == 8)
                sampleFormat = QAudioFormat::UInt8;
            else if (tag == 1 && bits == 16)
                sampleFormat = QAudioFormat::Int16;
            else if (tag == 1 && bits == 32)
                sampleFormat = QAudioFormat::Int32;
            else if (tag == 3 && bits == 32)
                sampleFormat = QAudioFormat::Float;
            if (sampleFormat == QAudioFormat::Unknown || channels < 1 || rate < 1) {
                why = QStringLiteral("formato audio non supportato");
                return false;
            }
            format.setSampleFormat(sampleFormat);
            format.setChannelCount(channels);
            format.setSampleRate(rate);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            const qint64 frame = format.bytesPerFrame();
            const qint64 whole = std::min<qint64>(length, file.size() - body);
            samples = file.mid(body, qsizetype(whole - whole % frame));
            return true;
        }
        at = body + qsizetype(length + (length & 1));
    }
    why = QStringLiteral("mancano i campioni audio");
    return false;
}

} // namespace

SinkSoundPlayer::SinkSoundPlayer(QObject* parent)
    : QObject(parent)
{
    m_poll.setInterval(5);
    m_poll.setTimerType(Qt::PreciseTimer);
    connect(&m_poll, &QTimer::timeout, this, &SinkSoundPlayer::poll);
}

SinkSoundPlayer::~SinkSoundPlayer()
{
    m_finished = nullptr;
    closeStream();
}

const SinkSoundPlayer::Sound* SinkSoundPlayer::load(const QString& path, QString* error)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.isFile()) {
        *error = QStringLiteral("Il file audio '%1' non esiste.").arg(shown);
        return nullptr;
    }
    const auto kept = m_sounds.constFind(path);
    if (kept != m_sounds.constEnd() && kept->modified == info.lastModified() &&
        kept->size == info.size())
        return &*kept;
    QFile file(path);
    Sound sound;
    QString why;
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
    } else if (readWave(file.readAll(), sound.format, sound.samples, why)) {
        sound.modified = info.lastModified();
        sound.size = info.size();
        return &*m_sounds.insert(path, sound);
    }
    *error = QStringLiteral("Impossibile riprodurre il file audio '%1' (%2).").arg(shown, why);
    return nullptr;
}

void SinkSoundPlayer::play(const QString& path, Finished finished)
{
    m_finished = nullptr;
    m_poll.stop();
    if (m_feed)
        m_feed->clear();
    m_finished = std::move(finished);
    // Reported from the event loop, as a played sound is.
    const auto refuse = [this](const QString& reason) {
        closeStream();
        QTimer::singleShot(0, this, [this, reason] { finish(false, reason); });
    };
    QString error;
    const Sound* sound = load(path, &error);
    if (!sound)
        return refuse(error);
    // Without an output the desktop's sound service may never answer at all.
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return refuse(QStringLiteral("Nessuna uscita audio per riprodurre il file '%1'.")
                          .arg(QDir::toNativeSeparators(path)));
    // The output may add details of its own to the format it was opened with.
    if (m_sink && (m_format != sound->format || m_sink->state() == QAudio::StoppedState))
        closeStream();
    if (!m_feed)
        m_feed = std::make_unique<SoundFeed>();
    // A stream just opened, or started again after running dry, loses the first tenth of a
    // second it is given: silence goes first.
    const bool starting = !m_sink || m_sink->state() != QAudio::ActiveState;
    m_feed->queue(
        !starting
            ? sound->samples
            : QByteArray(qsizetype(sound->format.bytesForDuration(LeadInMicroseconds)), '\0') +
                  sound->samples,
        sound->format);
    if (!m_sink) {
        m_format = sound->format;
        m_sink = std::make_unique<QAudioSink>(output, m_format);
        m_output = m_sink->start();
        if (!m_output || m_sink->error() != QAudio::NoError) {
            closeStream();
            return refuse(QStringLiteral("Impossibile riprodurre il file audio '%1'.")
                              .arg(QDir::toNativeSeparators(path)));
        }
    }
    // The sound starts now; its end is told from the event loop.
    pump();
    m_poll.start();
}

void SinkSoundPlayer::poll()
{
    if (m_sink && m_sink->error() != QAudio::NoError && m_sink->error() != QAudio::UnderrunError) {
        closeStream();
        finish(false, QStringLiteral("L'uscita audio non è disponibile."));
        return;
    }
    if (!m_sink || !m_output || !m_feed)
        return;
    pump();
    if (m_finished && m_feed->soundHandedOver())
        finish(true, {});
    if (m_feed->exhausted())
        closeStream();
}

void SinkSoundPlayer::pump()
{
    m_feed->pump(*m_output, m_sink->bytesFree(), m_sink->format().bytesPerFrame());
}

void SinkSoundPlayer::finish(bool played, const QString& reason)
{
    if (auto finished = std::exchange(m_finished, nullptr))
        finished(played, reason);
}

void SinkSoundPlayer::stop()
{
    m_finished = nullptr;
    closeStream();
}

void SinkSoundPlayer::closeStream()
{
    // What the output still holds is dropped: a stop is heard at once.
    m_poll.stop();
    m_output = nullptr;
    if (m_sink) {
        m_sink->reset();
        m_sink->stop();
        m_sink.reset();
    }
    if (m_feed)
        m_feed->clear();
}
