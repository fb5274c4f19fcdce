#pragma once

#include "conditions/AdvancedConditionsLogic.h"

#include <QDialog>

#include <array>
#include <optional>

class LiveCountLabel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Session;

// frmCONDAVANZATE: the tolerance of errors with its strict kinds and the table of what each
// number of errors keeps, the values of the signs (typed or imported from odds) with the sum
// window and the most probable columns, and the reference columns; the count of the columns
// left follows every keystroke.
class AdvancedConditionsDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdvancedConditionsDialog)
public:
    explicit AdvancedConditionsDialog(Session& session, QWidget* parent = nullptr);
    ~AdvancedConditionsDialog() override;

    // The conditions as typed, before they are confirmed; nothing while a box is wrong.
    std::optional<AdvancedConditions> typedAdvanced() const;

private:
    AdvancedConditionsLogic::FormTexts texts() const;
    void show(const AdvancedConditionsLogic::FormTexts& form);
    void refresh();
    void importOdds();
    void confirm();

    Session& m_session;
    QLineEdit* m_errorsFrom;
    QLineEdit* m_errorsTo;
    std::array<QCheckBox*, AdvancedConditions::StrictFlags> m_strict{};
    QTableWidget* m_errorsTable;
    std::array<std::array<QLineEdit*, 3>, AdvancedConditions::Matches> m_values{};
    QLabel* m_valuesWarning;
    QLineEdit* m_sumFrom;
    QLineEdit* m_sumTo;
    QLabel* m_sumPossible;
    QLineEdit* m_top;
    std::array<QLineEdit*, AdvancedConditions::MaxReferences> m_references{};
    std::array<QLineEdit*, AdvancedConditions::MaxReferences> m_pointsFrom{};
    std::array<QLineEdit*, AdvancedConditions::MaxReferences> m_pointsTo{};
    QPushButton* m_import;
    QPushButton* m_ok;
    QPushButton* m_close;
    LiveCountLabel* m_count;
};
