#pragma once

#include "conditions/SignsConditionsLogic.h"

#include "document/ConditionSet.h"

#include <QDialog>

#include <optional>

#include <array>

class BoxLeaveGuard;
class LiveCountLabel;
class QLineEdit;
class QPushButton;
class Session;
class StatusPanels;

// frmCOND: the bounds of the sign counts and longest runs (mode SEGN) or of the interruptions
// (mode INTE), read from the session's DialogMode when the dialog opens.
class ConditionsDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConditionsDialog)
public:
    explicit ConditionsDialog(Session& session, QWidget* parent = nullptr);
    ~ConditionsDialog() override;

    // Closing in any way ends the checks on leaving a box.
    void done(int result) override;

    QLineEdit* box(int index) const { return m_boxes[index]; }

    // The conditions as the boxes hold them now, over the system's others; nothing while a box
    // holds a value the dialog would refuse.
    std::optional<ConditionSet> typedConditions() const;

private:
    ConditionBoxes texts() const;
    bool leave(QLineEdit* box);
    void confirm();
    void refreshCount();

    Session& m_session;
    SignsConditionsLogic m_logic;
    std::array<QLineEdit*, SignsConditionsLogic::LastBox + 1> m_boxes{};
    StatusPanels* m_info;
    QPushButton* m_ok;
    QPushButton* m_close;
    BoxLeaveGuard* m_guard;
    LiveCountLabel* m_count;
};
