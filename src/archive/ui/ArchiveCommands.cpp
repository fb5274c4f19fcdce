#include "archive/ui/ArchiveCommands.h"

#include "archive/ui/ArchiveWindow.h"
#include "archive/ui/BacktestWindow.h"
#include "archive/ui/StatisticsWindow.h"
#include "session/Session.h"
#include "session/ui/CommandHost.h"

namespace {

void openBrowser(CommandHost& host)
{
    ArchiveWindow browser(host.session(), host.hostWidget());
    if (!browser.isOpen())
        return;
    host.placeDialog(&browser);
    browser.exec();
}

void openStatistics(CommandHost& host)
{
    if (auto* open = host.hostWidget()->findChild<StatisticsWindow*>(
            QStringLiteral("frmSTATISTICHE"), Qt::FindDirectChildrenOnly)) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* statistics = new StatisticsWindow(host.session(), host.hostWidget());
    statistics->setAttribute(Qt::WA_DeleteOnClose);
    host.placeDialog(statistics);
    statistics->show();
}

} // namespace

void showBacktest(CommandHost& host, const ConditionSet& conditions, const QString& enableFlags,
                  const AdvancedConditions& advanced)
{
    BacktestWindow check(host.session(), conditions, enableFlags, advanced, host.hostWidget());
    host.placeDialog(&check);
    check.exec();
}

void installArchiveCommands(CommandHost& host)
{
    host.setHandler(QStringLiteral("mnuAggiungiCol"), [&host] { openBrowser(host); });
    host.setHandler(QStringLiteral("mnuStatistiche"), [&host] { openStatistics(host); });
    // The system's conditions as confirmed, with its advanced ones.
    host.setHandler(QStringLiteral("mnuVerificaArchivio"), [&host] {
        const SystemDocument& document = host.session().document();
        showBacktest(host, document.Conditions, document.EnableFlags, document.Advanced);
    });
}
