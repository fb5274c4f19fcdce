#include "platform/ui/StatusPanels.h"

#include <QEvent>

#include <algorithm>

StatusPanels::StatusPanels(const QString& name, int panels, QWidget* parent)
    : QStatusBar(parent)
{
    setObjectName(name);
    setSizeGripEnabled(false);
    for (int i = 1; i <= panels; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(i == 1 ? MinimumFirst : MinimumOther);
        label->installEventFilter(this);
        addWidget(label, i == 1 ? 0 : 1);
        m_panels.append(label);
    }
}

void StatusPanels::setPanelText(int panel, const QString& text)
{
    QLabel* label = m_panels.at(panel - 1);
    label->setText(text);
    label->setToolTip(text);
    // A panel never narrows below its text: money cut after its thousands reads as another sum.
    label->setMinimumWidth(
        std::max(panel == 1 ? MinimumFirst : MinimumOther, label->sizeHint().width()));
}

QString StatusPanels::panelText(int panel) const
{
    return m_panels.at(panel - 1)->text();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto index = m_panels.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0)
            emit panelClicked(int(index) + 1);
    }
    return QStatusBar::eventFilter(watched, event);
}
