#pragma once

#include "output/WinningsCheck.h"

#include <QDialog>

#include <array>
#include <memory>

class BarProgress;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class Session;

// frmCONTROLLA: the winning column typed match by match, checked against the reduced or the
// integral system (TaskMode CRid / CInt), with the number of columns in each prize category.
class WinningsCheckWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WinningsCheckWindow)
public:
    explicit WinningsCheckWindow(Session& session, QWidget* parent = nullptr);
    ~WinningsCheckWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int Matches = 13;

    int entryIndex(const QObject* watched) const;
    bool entryKey(QLineEdit* entry, const QKeyEvent* key);
    void entryLeft(int index);
    void markMatch(int index);
    void count();

    Session& m_session;
    bool m_integral;
    std::array<QLabel*, Matches> m_played{};
    std::array<QLineEdit*, Matches> m_entries{};
    std::array<QCheckBox*, WinningsCheck::Categories> m_ticks{};
    std::array<QLabel*, WinningsCheck::Categories> m_counts{};
    std::array<QLabel*, WinningsCheck::Categories> m_marks{};
    QProgressBar* m_wait;
    QLabel* m_timeCaption;
    QLabel* m_time;
    QPushButton* m_start;
    QPushButton* m_close;
    std::unique_ptr<BarProgress> m_progress;
};
