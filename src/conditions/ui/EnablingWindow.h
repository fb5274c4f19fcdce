#pragma once

#include <QWidget>

#include <array>

class LiveCountLabel;
class QCheckBox;
class Session;

// frmABILITA: one check box per kind of condition, toggled directly by the user; the reduction
// takes part only in the kinds ticked here. Follows the open system's enable flags after a
// reset or an Open.
class EnablingWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EnablingWindow)
public:
    static constexpr int Kinds = 7;

    explicit EnablingWindow(Session& session, QWidget* parent = nullptr);

    // Seven '1'/'0' characters from the boxes, in the order of the condition kinds.
    QString flagsText() const;
    // Ticks the boxes from seven '1'/'0' characters.
    void showFlags(const QString& flags);
    QCheckBox* box(int kind) const { return m_boxes[kind]; }

private:
    void refreshCount();

    Session& m_session;
    std::array<QCheckBox*, Kinds> m_boxes{};
    LiveCountLabel* m_count = nullptr;
};
