#pragma once

#include "archive/ConditionBacktest.h"
#include "document/AdvancedConditions.h"
#include "document/ConditionSet.h"

#include <QDialog>

#include <memory>

class ArchiveStore;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;
class Session;

// frmVERIFICA ("Verifica sull'Archivio"): a system's conditions tried on the complete winning
// columns of the archive, chosen as the statistics window chooses them: how many broke each
// rule, how many the whole set would have kept, and the contests it would have lost.
class BacktestWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BacktestWindow)
public:
    // The conditions to try: a condition dialog passes the values it holds, the menu the
    // system's own.
    BacktestWindow(Session& session, const ConditionSet& conditions, const QString& enableFlags,
                   const AdvancedConditions& advanced, QWidget* parent = nullptr);
    ~BacktestWindow() override;

    // Runs the check with the interval chosen; what the window shows and prints.
    void check();
    const QStringList& lines() const { return m_lines; }

private:
    void print();

    Session& m_session;
    ConditionRules m_rules;
    std::unique_ptr<ArchiveStore> m_store;
    QStringList m_lines;
    QRadioButton* m_all;
    QRadioButton* m_season;
    QRadioButton* m_last;
    QLineEdit* m_seasonText;
    QLineEdit* m_lastText;
    QTableWidget* m_table;
    QLabel* m_passed;
    QListWidget* m_eliminated;
    QPushButton* m_print;
};
