#pragma once

#include "document/PredictionLogic.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class Session;

// frmPRONOSTICO: the signs played on the 13 matches, with the live counts and cost of the
// integral system they span. Shown without blocking the main window; OK on a changed prediction
// enumerates the integral system and stays open showing how long it took.
class PredictionDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PredictionDialog)
public:
    PredictionDialog(Session& session, QWidget* parent = nullptr);

    // Back to the document's prediction, dropping whatever was typed since the last OK.
    void load();

signals:
    // "&Chiudi" asks the main window for the conditions summary.
    void conditionsSummaryRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape answers like "&Chiudi". Closing the window otherwise (its close button, or the
    // main window closing it at a reset) asks for no summary.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void confirm();
    void closeWithSummary();
    void recount();
    void showCounts(const PredictionLogic::Recount& counts);
    PredictionLogic::Fields fields() const;

    Session& m_session;
    std::array<QLabel*, PredictionLogic::Matches> m_home{};
    std::array<QLabel*, PredictionLogic::Matches> m_away{};
    std::array<QLineEdit*, PredictionLogic::Matches> m_signs{};
    QLabel* m_fixed;
    QLabel* m_doubles;
    QLabel* m_triples;
    QLabel* m_integral;
    QLabel* m_euro;
    QLabel* m_lire;
    QLabel* m_timeCaption;
    QLabel* m_time;
    QPushButton* m_ok;
    QPushButton* m_close;
};
