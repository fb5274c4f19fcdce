#include "BenchSupport.h"

#include "document/SystemDocument.h"
#include "output/ui/DictationWindow.h"
#include "platform/SoundPlayer.h"
#include "platform/WaitTimer.h"
#include "session/Session.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
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
