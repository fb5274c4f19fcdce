#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on a modal window as soon as it opens: polls from the event loop until the active modal
// widget carries `objectName`, then runs `act` on it (which must close it). Gives up after a few
// seconds, closing whatever modal window is open so that the test goes on and fails on its own
// checks rather than hanging.
inline void whenModal(const QString& objectName, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == objectName) {
            timer->stop();
            act(modal);
            timer->deleteLater();
            delete clock;
        } else if (clock->elapsed() > 5000) {
            timer->stop();
            qWarning("No modal window %s opened", qPrintable(objectName));
            if (modal)
                modal->close();
            timer->deleteLater();
            delete clock;
        }
    });
    timer->start();
}

// Runs `act`, closing any modal window that opens meanwhile; true when one did.
inline bool modalOpenedDuring(const std::function<void()>& act)
{
    bool opened = false;
    QTimer guard;
    guard.setInterval(10);
    QObject::connect(&guard, &QTimer::timeout, &guard, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    guard.start();
    act();
    guard.stop();
    return opened;
}

template <typename T> T* child(QWidget* parent, const QString& name)
{
    T* widget = parent->findChild<T*>(name);
    if (!widget)
        qWarning("no child %s", qPrintable(name));
    return widget;
}
