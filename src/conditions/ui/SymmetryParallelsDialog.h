#pragma once

#include "conditions/SymmetryConditionsLogic.h"

#include "document/ConditionSet.h"

#include <QDialog>

#include <optional>

#include <array>

class BoxLeaveGuard;
class LiveCountLabel;
class PredictionPanel;
class QLineEdit;
class QPushButton;
class Session;

// frmCONDSP: the bounds of symmetries (mode SIMM), parallels (PARA) or parallels at step 3
// (PAR3), read from the session's DialogMode when the dialog opens; the prediction panel
// colours the matches that the mode pairs.
class SymmetryParallelsDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SymmetryParallelsDialog)
public:
    explicit SymmetryParallelsDialog(Session& session, QWidget* parent = nullptr);
    ~SymmetryParallelsDialog() override;

    // The conditions as the boxes hold them now, over the system's others; nothing while a box
    // holds a value the dialog would refuse.
    std::optional<ConditionSet> typedConditions() const;

    // Closing in any way ends the checks on leaving a box.
    void done(int result) override;

private:
    void colourPanel();
    ConditionBoxes texts() const;
    bool leave(QLineEdit* box);
    void confirm();
    void refreshCount();

    Session& m_session;
    SymmetryConditionsLogic m_logic;
    std::array<QLineEdit*, ConditionSet::Size> m_boxes{};
    PredictionPanel* m_panel;
    QPushButton* m_ok;
    QPushButton* m_close;
    BoxLeaveGuard* m_guard;
    LiveCountLabel* m_count;
};
