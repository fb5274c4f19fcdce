#include "platform/BackgroundWork.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>

#include <memory>

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

BackgroundWork::BackgroundWork(QList<QObject*> answering)
{
    for (QObject* object : answering)
        m_answering.append(object);
}

BackgroundWork::~BackgroundWork() = default;

bool BackgroundWork::run(const std::function<void()>& work)
{
    std::exception_ptr failure;
    bool stopped = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (const Stopped&) {
            stopped = true;
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    // Queued behind every call the work sent to the GUI thread, so all of them have run when
    // the loop ends.
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QCoreApplication::instance()->installEventFilter(this);
    thread->start();
    loop.exec();
    thread->wait();
    QCoreApplication::instance()->removeEventFilter(this);

    for (const QPointer<QObject>& window : std::as_const(m_closeAsked))
        if (window)
            QMetaObject::invokeMethod(window, "close", Qt::QueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
    return !stopped;
}

void BackgroundWork::toGui(std::function<void()> call)
{
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void BackgroundWork::checkpoint()
{
    QMetaObject::invokeMethod(
        this, [] {}, Qt::BlockingQueuedConnection);
    checkStop();
}

void BackgroundWork::askOnGui(const std::function<void()>& call)
{
    QMetaObject::invokeMethod(
        this,
        [this, &call] {
            QCoreApplication::instance()->removeEventFilter(this);
            call();
            QCoreApplication::instance()->installEventFilter(this);
        },
        Qt::BlockingQueuedConnection);
}

bool BackgroundWork::answers(const QObject* receiver) const
{
    for (const QObject* object = receiver; object; object = object->parent())
        if (m_answering.contains(object))
            return true;
    return false;
}

bool BackgroundWork::holdsAnswering(const QObject* window) const
{
    for (const QPointer<QObject>& object : m_answering)
        for (const QObject* up = object; up; up = up->parent())
            if (up == window)
                return true;
    return false;
}

bool BackgroundWork::eventFilter(QObject* watched, QEvent* event)
{
    // A window the user closes, or the working window closed by its own cancel button, waits for
    // the work; the program's other closings (a tooltip's, say) go ahead.
    if (event->type() == QEvent::Close && watched->isWidgetType() &&
        (event->spontaneous() || holdsAnswering(watched))) {
        event->ignore();
        m_stop = true;
        if (!m_closeAsked.contains(watched))
            m_closeAsked.append(watched);
        return true;
    }
    // Input reaches the native window first and a widget after it: only the widget is judged,
    // or an answering button would never see its click.
    if (isUserInput(event->type()) &&
        (watched->isWidgetType() || event->type() == QEvent::Shortcut))
        return !answers(watched);
    return QObject::eventFilter(watched, event);
}

ForwardedProgress::ForwardedProgress(BackgroundWork& work, ProgressReporter& shown, Steps steps)
    : m_work(work)
    , m_shown(shown)
    , m_steps(steps)
{
    m_sinceShown.start();
}

void ForwardedProgress::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    m_work.toGui([this, minimum, maximum] { m_shown.setRange(minimum, maximum); });
}

void ForwardedProgress::setValue(int value)
{
    if (m_steps == Steps::Stoppable)
        m_work.checkStop();
    // A short range shows every step; a long one only as often as a bar can be seen to move.
    const bool everyStep = qint64(m_maximum) - m_minimum <= 100;
    if (!everyStep && value != m_minimum && value != m_maximum && m_sinceShown.elapsed() < 30)
        return;
    m_sinceShown.restart();
    m_work.toGui([this, value] { m_shown.setValue(value); });
}
