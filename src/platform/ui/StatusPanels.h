#pragma once

#include <QLabel>
#include <QList>
#include <QStatusBar>

// A status bar of numbered text panels (1-based), as the main window's two status bars are;
// each panel is at least as wide as its text, which its tool tip repeats.
class StatusPanels final : public QStatusBar {
    Q_OBJECT
public:
    StatusPanels(const QString& name, int panels, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int panel) const { return m_panels.at(panel - 1); }

signals:
    void panelClicked(int panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int MinimumFirst = 150;
    static constexpr int MinimumOther = 110;

    QList<QLabel*> m_panels;
};
