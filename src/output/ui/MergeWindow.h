#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class Session;

// frmACCORPA: merges the reduced system into fewer columns with doubles, once per opening, and
// shows the counts, the ratio and the time taken.
class MergeWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MergeWindow)
public:
    explicit MergeWindow(Session& session, QWidget* parent = nullptr);

private:
    void merge();

    Session& m_session;
    QPushButton* m_merge;
    QPushButton* m_close;
    std::array<QLabel*, 4> m_captions{};
    QLabel* m_reducedCount;
    QLabel* m_mergedCount;
    QLabel* m_ratio;
    QLabel* m_time;
};
