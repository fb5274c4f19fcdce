#pragma once

#include "reports/ResultsLogic.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class Session;

// frmRISULTATI: the final scores and prizes of a contest for the open system, the winning signs
// the prediction missed in red, the points, what the reduced system won, kept in the system's
// .rsl file and printed on one page. Shown without blocking the main window.
class ResultsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultsWindow)
public:
    explicit ResultsWindow(Session& session, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // What the boxes hold now.
    ResultsLogic::Fields fields() const;

    // The signs of the live results: every decided match (not '-') takes its winning sign; the
    // scores stay as they are until the player types them.
    void takeSigns(const QByteArray& signs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void scoreLeft(int match);
    void markSign(int match);
    void recount();
    void confirm();
    void print();

    Session& m_session;
    QString m_path;
    std::array<QLineEdit*, ResultsLogic::FieldCount> m_boxes{};
    std::array<QLineEdit*, ResultsLogic::Matches> m_played{};
    QLabel* m_points;
    QGroupBox* m_reduced;
    std::array<QLabel*, ResultsLogic::Winnings::Categories> m_categories{};
    QLabel* m_total;
};
