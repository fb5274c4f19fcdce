#include "conditions/ui/BoxLeaveGuard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include <utility>

BoxLeaveGuard::BoxLeaveGuard(QWidget* exempt, Check check, QObject* parent)
    : QObject(parent)
    , m_exempt(exempt)
    , m_check(std::move(check))
{}

void BoxLeaveGuard::watch(QLineEdit* box)
{
    m_boxes.append(box);
    box->installEventFilter(this);
}

bool BoxLeaveGuard::runCheck(QLineEdit* box)
{
    // A check moves the focus itself when it refuses; those moves are not leaves of their own.
    m_checking = true;
    const bool accepted = m_check(box);
    m_checking = false;
    m_refused = !accepted;
    return accepted;
}

void BoxLeaveGuard::focusBox(QLineEdit* box)
{
    const bool checking = std::exchange(m_checking, true);
    box->setFocus(Qt::OtherFocusReason);
    m_checking = checking;
}

bool BoxLeaveGuard::confirmMayProceed()
{
    if (m_refused)
        return false;
    for (QLineEdit* box : std::as_const(m_boxes)) {
        if (box->hasFocus())
            return runCheck(box);
    }
    return true;
}

bool BoxLeaveGuard::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || m_stopped || m_checking || !box->isVisible())
        return false;
    if (event->type() == QEvent::KeyPress) {
        // Typing again is a new attempt; Enter then reaches OK with the box checked there.
        m_refused = false;
        return false;
    }
    if (event->type() != QEvent::FocusOut)
        return false;
    // Only leaving the box for another control counts; a window that merely takes the focus
    // for a while (a message box, a menu, another window) is not a leave.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    QWidget* next = QApplication::focusWidget();
    if (next && next == m_exempt)
        return false;
    runCheck(box);
    return false;
}
