#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QLineEdit;
class QWidget;

// Runs a dialog's check whenever one of its boxes loses the focus to another control of the
// dialog, and tells the OK button whether it may go on: a check that refused the box while the
// press on OK was taking the focus stops that click, as a box left with a message keeps the user
// there.
class BoxLeaveGuard final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoxLeaveGuard)
public:
    // True when the box may be left; a refusing check has shown its message and moved the focus.
    using Check = std::function<bool(QLineEdit*)>;

    // Leaving for `exempt` (the cancel button) checks nothing: the values are about to be
    // dropped.
    BoxLeaveGuard(QWidget* exempt, Check check, QObject* parent);

    void watch(QLineEdit* box);
    // Called first by OK: false when the click must stop. A box still holding the focus (OK
    // reached with Enter) is checked now, as leaving it would.
    bool confirmMayProceed();
    // Gives a box the focus to correct it, without checking the box the focus leaves.
    void focusBox(QLineEdit* box);
    // The dialog is closing: focus changes no longer check anything.
    void stop() { m_stopped = true; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool runCheck(QLineEdit* box);

    QPointer<QWidget> m_exempt;
    Check m_check;
    QList<QLineEdit*> m_boxes;
    bool m_checking = false;
    bool m_refused = false;
    bool m_stopped = false;
};
