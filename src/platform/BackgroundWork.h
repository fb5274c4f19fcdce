#pragma once

#include "platform/ProgressReporter.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <exception>
#include <functional>

// Runs one long piece of work on a thread of its own while the calling (GUI) thread's event loop
// goes on repainting, so that no window looks frozen. Meanwhile user input reaches only the
// objects named as answering (a cancel button and its window): no other command can start
// while the work holds the document. A window closed meanwhile asks the work to stop and
// closes once it has; closing the window that holds an answering object does the same.
class BackgroundWork final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BackgroundWork)
public:
    // Thrown by the work's own progress callbacks when a stop was asked for; run() swallows it.
    struct Stopped {};

    explicit BackgroundWork(QList<QObject*> answering = {});
    ~BackgroundWork() override;

    // Runs `work` and returns once it has ended: true when it ran to its end, false when it was
    // stopped. Whatever else it threw is thrown again here.
    bool run(const std::function<void()>& work);

    // From the GUI thread: the work ends at its next check.
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }
    // From the work: throws Stopped when a stop was asked for.
    void checkStop() const
    {
        if (m_stop)
            throw Stopped{};
    }

    // From the work: waits until the GUI thread has run every call queued before, then throws
    // Stopped when a stop was asked for. Before a step that must not be undone (writing a file),
    // so that a cancel clicked while the progress moved is never overtaken by the work.
    void checkpoint();
    // From the work: runs `call` on the GUI thread, after every call queued before it.
    void toGui(std::function<void()> call);
    // From the work: runs `call` on the GUI thread and waits for it; since `call` asks the user,
    // input reaches every window meanwhile.
    void askOnGui(const std::function<void()>& call);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool answers(const QObject* receiver) const;
    bool holdsAnswering(const QObject* window) const;

    QList<QPointer<QObject>> m_answering;
    QList<QPointer<QObject>> m_closeAsked;
    std::atomic<bool> m_stop = false;
};

// The GUI thread's progress bar as the work sees it: every range, and every value of a short
// range, reach the bar on the GUI thread; of a long range, a value when 30 ms have passed since
// the last one shown or when it reaches an end of the range. Where the work may end at any step
// without harm, a stop asked for ends it at its next step.
class ForwardedProgress final : public ProgressReporter {
    Q_DISABLE_COPY_MOVE(ForwardedProgress)
public:
    enum class Steps { Stoppable, Unstoppable };

    ForwardedProgress(BackgroundWork& work, ProgressReporter& shown,
                      Steps steps = Steps::Unstoppable);

    void setRange(int minimum, int maximum) override;
    void setValue(int value) override;

private:
    BackgroundWork& m_work;
    ProgressReporter& m_shown;
    Steps m_steps;
    int m_minimum = 0;
    int m_maximum = 0;
    QElapsedTimer m_sinceShown;
};
