#include "BenchSupport.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "document/SystemFiles.h"
#include "output/ui/DictationWindow.h"
#include "platform/SoundPlayer.h"
#include "platform/WaitTimer.h"
#include "platform/WatchdogSoundPlayer.h"
#include "platform/ui/SinkSoundPlayer.h"
#include "session/Session.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Sounds that end as soon as they start, so only the window's own pauses take time.
struct InstantSounds final : SoundPlayer {
    QObject context;
    void play(const QString&, Finished finished) override
    {
        QTimer::singleShot(0, &context, [finished] { finished(true, {}); });
    }
    void stop() override {}
};

// The real pauses, counted, so the end of the run is known to the millisecond.
struct CountingTimer final : WaitTimer {
    EventLoopWaitTimer real;
    int done = 0;
    std::function<void()> onDone;
    void wait(double seconds, std::function<void()> then) override
    {
        real.wait(seconds, [this, then] {
            ++done;
            then();
            if (onDone)
                onDone();
        });
    }
    void cancel() override { real.cancel(); }
};

} // namespace

// The dictation window's real pauses over `columns` columns at the fastest speed, against the
// sum of the pauses it plans: how far the pace drifts from the plan.
void benchDictationDrift(int columns)
{
    QTemporaryDir folder;
    SilentPrompts prompts;
    Session session(folder.path(), prompts);
    SystemDocument& document = session.document();
    for (int k = 0; k < columns; ++k)
        document.WorkColumns.append("1X21X21X21X21");
    document.ReducedCount = columns;
    InstantSounds sounds;
    CountingTimer timer;
    DictationWindow window(session, sounds, timer);
    window.findChild<QSlider*>(QStringLiteral("Slider"))->setValue(1);
    const int slips = columns / 4 + (columns % 4 ? 1 : 0);
    const double planned = slips * 0.5 + columns * (0.8 + 13 * 0.25);
    const int waits = slips + columns * 14;
    QEventLoop loop;
    timer.onDone = [&] {
        if (timer.done == waits)
            loop.quit();
    };
    QElapsedTimer elapsed;
    elapsed.start();
    window.findChild<QAbstractButton*>(QStringLiteral("cmdDetta"))->click();
    loop.exec();
    const double actual = elapsed.nsecsElapsed() / 1e9;
    QTextStream(stdout) << QStringLiteral("dictation: %1 columns at the fastest speed: planned "
                                          "%2 s, actual %3 s, drift %4 %")
                               .arg(columns)
                               .arg(planned, 0, 'f', 2)
                               .arg(actual, 0, 'f', 2)
                               .arg((actual - planned) / planned * 100, 0, 'f', 2)
                        << Qt::endl;
}

namespace {

// The desktop's player, with the time each sound was started and reported finished.
struct LoggedSounds final : SoundPlayer {
    SoundPlayer& real;
    QElapsedTimer clock;
    int finished = 0;
    std::function<void()> onFinished;
    explicit LoggedSounds(SoundPlayer& player)
        : real(player)
    {}
    void play(const QString& path, Finished done) override
    {
        if (!clock.isValid())
            clock.start();
        const QString name = QFileInfo(path).fileName();
        QTextStream(stdout) << QStringLiteral("%1 play %2").arg(seconds(), 0, 'f', 3).arg(name)
                            << Qt::endl;
        real.play(path, [this, name, done](bool played, const QString& reason) {
            QTextStream(stdout) << QStringLiteral("%1 end %2 %3")
                                       .arg(seconds(), 0, 'f', 3)
                                       .arg(name, played ? QStringLiteral("ok") : reason)
                                << Qt::endl;
            ++finished;
            done(played, reason);
            if (onFinished)
                onFinished();
        });
    }
    void stop() override { real.stop(); }
    double seconds() const { return clock.nsecsElapsed() / 1e9; }
};

} // namespace

// The dictation of `columns` columns at slider notch `speed` through the desktop's sound output,
// from the recordings in `folder`, where the system is saved as Misura for `dictate --plan`; the
// time of each sound's start and end goes to the standard output, for a recording of the output
// to be set against.
void benchDictationSound(const QString& folder, int columns, int speed)
{
    SilentPrompts prompts;
    Session session(folder, prompts);
    SystemDocument& document = session.document();
    document.SystemName = QStringLiteral("Misura");
    // Every sign among the fixed matches, and two triples: nine columns of varied plays.
    std::array<QString, 13> fields;
    const QStringList signs = {QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")};
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        fields[i - 1] = i > 11 ? QStringLiteral("1X2") : signs[i % 3];
        document.setHomeTeam(i, QStringLiteral("CASA %1").arg(i));
        document.setAwayTeam(i, QStringLiteral("OSPITE %1").arg(i));
        document.setSigns(i, fields[i - 1]);
    }
    document.IntegralCount = IntegralGenerator::integralCount(fields);
    document.IntegralColumns = IntegralGenerator::generate(fields);
    document.countSigns();
    document.countKinds();
    columns = std::clamp(columns, 1, int(document.IntegralCount));
    for (int k = 0; k < columns; ++k)
        document.WorkColumns.append(document.IntegralColumns.columnData(k));
    document.ReducedCount = columns;
    QString error;
    if (!SystemFiles::save(document, folder, &error)) {
        QTextStream(stderr) << error << Qt::endl;
        return;
    }
    SinkSoundPlayer desktop;
    WatchdogSoundPlayer watched(desktop);
    LoggedSounds sounds(watched);
    EventLoopWaitTimer timer;
    DictationWindow window(session, sounds, timer);
    window.findChild<QSlider*>(QStringLiteral("Slider"))->setValue(speed);
    const int slips = columns / 4 + (columns % 4 ? 1 : 0);
    QEventLoop loop;
    sounds.onFinished = [&] {
        if (sounds.finished == slips + columns * 14)
            QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    };
    window.show();
    window.findChild<QAbstractButton*>(QStringLiteral("cmdDetta"))->click();
    loop.exec();
}
