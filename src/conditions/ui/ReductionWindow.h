#pragma once

#include "conditions/ReductionObserver.h"
#include "platform/ColumnBuffer.h"

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QPushButton;
class Session;

// frmELABORA: runs the reduction on the open system's integral columns, showing after every
// pass how many columns survive and what they cost, writes the survivors to Ridotto.mdb and,
// on "&Conferma", makes them the reduced system. Shown without blocking the main window.
class ReductionWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReductionWindow)
public:
    // The enable flags the run obeys: those of the enabling window's boxes at the moment.
    using FlagsSource = std::function<QString()>;

    ReductionWindow(Session& session, FlagsSource flags, QWidget* parent = nullptr);
    ~ReductionWindow() override;

    // The columns the last run left in Ridotto.mdb. The document's ReducedCount changes only
    // with "&Conferma", together with its columns and status bar: a run left unconfirmed must
    // not make the count disagree with the columns that saving, viewing and merging use.
    qsizetype tableCount() const { return m_tableCount; }

signals:
    // The result was confirmed with the wish to reduce it further with a guarantee.
    void guaranteeRequested();
    // Confirmed, and the outcome table of the new reduced system asked for.
    void outcomesRequested();

protected:
    // Leaving the window withdraws the confirmation: a result is confirmed only while the
    // window that produced it stays active.
    void changeEvent(QEvent* event) override;

private:
    class Watcher;
    friend class Watcher;

    struct PassLabels {
        QLabel* caption = nullptr;
        QLabel* count = nullptr;
        QLabel* cost = nullptr;
    };

    PassLabels& labelsOf(ReductionPass pass);
    void run();
    void confirmResult();

    Session& m_session;
    FlagsSource m_flags;
    std::array<PassLabels, 15> m_labels{};
    QLabel* m_timeCaption;
    QLabel* m_time;
    QPushButton* m_start;
    QPushButton* m_cancel;
    QPushButton* m_confirm;
    QPushButton* m_confirmGuarantee;
    QPushButton* m_confirmOutcomes;
    ColumnBuffer m_survivors;
    qsizetype m_tableCount = 0;
};
