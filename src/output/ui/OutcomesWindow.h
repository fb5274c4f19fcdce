#pragma once

#include "output/OutcomeTable.h"

#include <QDialog>

class QChartView;
class QComboBox;
class QLabel;
class QTableWidget;
class Session;

// frmGARANZIE: what the played system guarantees. For every winning column of a chosen set (the
// integral system, the columns of the conditions, every column) the points of the best played
// column, counted exactly, as a table and a bar chart; with sign values, the chances of the top
// categories.
class OutcomesWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutcomesWindow)
public:
    explicit OutcomesWindow(Session& session, QWidget* parent = nullptr);
    ~OutcomesWindow() override;

    // The table and the chance lines as they are shown and printed.
    const QStringList& lines() const { return m_lines; }

private:
    void recount();
    void print();

    Session& m_session;
    QStringList m_lines;
    QComboBox* m_over;
    QTableWidget* m_table;
    QChartView* m_chart;
    QLabel* m_total;
    QLabel* m_chances;
};
