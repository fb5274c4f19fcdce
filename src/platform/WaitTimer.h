#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// A pause of some seconds that keeps the interface running: `done` is called from the event loop
// when the time is up, unless the wait is cancelled first. Tests replace it to record the pauses
// instead of sitting through them.
class WaitTimer {
public:
    virtual ~WaitTimer() = default;
    virtual void wait(double seconds, std::function<void()> done) = 0;
    virtual void cancel() = 0;
};

// The real pause, on a single-shot timer.
class EventLoopWaitTimer final : public WaitTimer {
public:
    EventLoopWaitTimer()
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (auto done = std::exchange(m_done, nullptr))
                done();
        });
    }
    void wait(double seconds, std::function<void()> done) override
    {
        m_done = std::move(done);
        m_timer.start(qRound(seconds * 1000));
    }
    void cancel() override
    {
        m_timer.stop();
        m_done = nullptr;
    }

private:
    QTimer m_timer;
    std::function<void()> m_done;
};
