#include "conditions/ui/LiveCountLabel.h"

#include "conditions/LiveColumnCount.h"
#include "conditions/LiveCountRunner.h"
#include "conditions/ui/EnablingWindow.h"
#include "document/SystemDocument.h"

LiveCountLabel::LiveCountLabel(QWidget* parent)
    : QLabel(LiveColumnCount::labelText(std::nullopt), parent)
    , m_runner(new LiveCountRunner(this))
{
    setObjectName(QStringLiteral("lblRimaste"));
    connect(m_runner, &LiveCountRunner::counted, this,
            [this](qsizetype count) { setText(LiveColumnCount::labelText(count)); });
}

void LiveCountLabel::count(const ColumnBuffer& integral, const ConditionSet& conditions,
                           const QString& enableFlags, const AdvancedConditions& advanced)
{
    m_runner->request(integral, conditions, enableFlags, advanced);
}

void LiveCountLabel::showUnknown()
{
    m_runner->cancel();
    setText(LiveColumnCount::labelText(std::nullopt));
}

void LiveCountLabel::countTyped(const std::optional<ConditionSet>& typed,
                                const SystemDocument& document)
{
    if (!typed) {
        showUnknown();
        return;
    }
    count(document.IntegralColumns, *typed, enableFlagsFor(this, document), document.Advanced);
}

QString LiveCountLabel::enableFlagsFor(const QWidget* near, const SystemDocument& document)
{
    // Dialogs open over the main window, which holds the enabling window among its children.
    for (const QWidget* widget = near; widget; widget = widget->parentWidget()) {
        if (const auto* enabling =
                widget->findChild<const EnablingWindow*>(QStringLiteral("frmABILITA")))
            return enabling->flagsText();
    }
    return document.EnableFlags;
}
