#pragma once

#include "conditions/GuaranteeCover.h"

#include <QDialog>

#include <atomic>
#include <thread>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class Session;

// frmGARANZIA: fewer columns to play, with the certainty of a 12 (or an 11) whenever the winning
// column lies in the system. The search runs on a thread of its own, shows the size of its
// cover as it shrinks and can be interrupted at any moment, keeping the best cover so far; every
// cover is checked independently before it is offered.
class GuaranteeWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GuaranteeWindow)
public:
    explicit GuaranteeWindow(Session& session, QWidget* parent = nullptr);
    ~GuaranteeWindow() override;

    bool isRunning() const { return m_worker.joinable(); }

signals:
    // "Garanzie...": the outcome table of the system as played now.
    void outcomesRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void start();
    void finished(GuaranteeCover::Result result);
    void confirm();
    void stopWorker();

    Session& m_session;
    ColumnBuffer m_targets;
    GuaranteeCover::Result m_result;
    int m_level = 12;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;

    QRadioButton* m_level12 = nullptr;
    QRadioButton* m_level11 = nullptr;
    QCheckBox* m_fromIntegral = nullptr;
    QSpinBox* m_seconds = nullptr;
    QProgressBar* m_bar = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_before = nullptr;
    QLabel* m_after = nullptr;
    QLabel* m_guarantee = nullptr;
    QLabel* m_distances = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_interrupt = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_close = nullptr;
};
