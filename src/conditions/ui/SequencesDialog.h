#pragma once

#include "conditions/SequenceRowsLogic.h"

#include "document/ConditionSet.h"

#include <QDialog>

#include <optional>

#include <array>

class BoxLeaveGuard;
class LiveCountLabel;
class PredictionPanel;
class QCheckBox;
class QLineEdit;
class QPushButton;
class Session;

// frmSEQUELE: up to seven excluded sequences, each its signs, its fields and its "Attiva"
// switch.
class SequencesDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SequencesDialog)
public:
    explicit SequencesDialog(Session& session, QWidget* parent = nullptr);
    ~SequencesDialog() override;

    // The conditions as the boxes hold them now, over the system's others; nothing while a box
    // holds a value the dialog would refuse.
    std::optional<ConditionSet> typedConditions() const;

    // Closing in any way ends the checks on leaving a box.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowWidgets {
        QLineEdit* signs = nullptr;
        QLineEdit* fields = nullptr;
        QLineEdit* holder = nullptr;
        QCheckBox* active = nullptr;
    };

    void display(const SequenceRowsLogic::RowArray& rows);
    SequenceRowsLogic::RowArray rows() const;
    bool leave(QLineEdit* box);
    void clearEmptyRows();
    void confirm();
    void refreshCount();

    Session& m_session;
    std::array<RowWidgets, SequenceRowsLogic::Rows> m_rows{};
    PredictionPanel* m_panel;
    QPushButton* m_ok;
    QPushButton* m_close;
    BoxLeaveGuard* m_guard;
    LiveCountLabel* m_count;
};
