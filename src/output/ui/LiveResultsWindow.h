#pragma once

#include "output/LiveResults.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class Session;

// frmDIRETTA: the results typed one by one as the matches end (nothing while a match is still
// to play); at every key the best points so far, for 13, 12, 11 and 10 how many played columns
// are sure of them and how many can still make them, and the columns still able to make 13.
class LiveResultsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LiveResultsWindow)
public:
    explicit LiveResultsWindow(Session& session, QWidget* parent = nullptr);
    ~LiveResultsWindow() override;

    // 13 characters: the typed signs, '-' for a match still to play.
    QByteArray results() const;
    const LiveResults::Standing& standing() const { return m_standing; }

    // The columns able to make 13 that the list shows at most.
    static constexpr qsizetype Listed = 200;

signals:
    // "Riporta nei Risultati Finali": the typed results, for the final results window.
    void carryToResults(const QByteArray& results);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int Matches = 13;

    void refresh();
    void print();

    Session& m_session;
    LiveResults::Standing m_standing;
    std::array<QLineEdit*, Matches> m_entries{};
    QLabel* m_points;
    std::array<QLabel*, 4> m_sure{};
    std::array<QLabel*, 4> m_possible{};
    QLabel* m_topCaption;
    QListWidget* m_top;
};
