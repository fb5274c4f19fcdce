#pragma once

#include "archive/ArchiveStatistics.h"

#include <QDialog>

#include <array>
#include <memory>

class ArchiveStore;
class QBarSet;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class Session;

// frmSTATISTICHE: how often each value of one measure occurred among the archived winning
// columns of an interval, narrowed by completeness, postponed matches and series; as a table,
// and as a chart beside the share the integral system gives each value. The columns of the
// last search can be printed and exported. Shown without blocking the main window.
class StatisticsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatisticsWindow)
public:
    explicit StatisticsWindow(Session& session, QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ArchiveStatistics::Choice choice() const;
    void choiceChanged();
    void search();
    void showResult(const ArchiveStatistics::Result& result);
    // The records of the last search; false (reported) when they cannot be read.
    bool selectedRecords(QList<ArchiveRecord>& records);
    void print();
    void exportCsv();
    void reportError(const QString& error);

    Session& m_session;
    std::unique_ptr<ArchiveStore> m_store;
    QComboBox* m_measure;
    QRadioButton* m_all;
    QRadioButton* m_season;
    QRadioButton* m_last;
    QLineEdit* m_seasonText;
    QLineEdit* m_lastText;
    QCheckBox* m_complete;
    QCheckBox* m_postponed;
    std::array<QCheckBox*, 5> m_series{};
    QPushButton* m_print;
    QPushButton* m_export;
    QGroupBox* m_archived;
    QLabel* m_archivedCount;
    QTableWidget* m_table;
    QLabel* m_total;
    QChartView* m_chart;
    QWidget* m_results;
    // What the last search asked: the printout follows it.
    ArchiveStatistics::Choice m_searched;
};
