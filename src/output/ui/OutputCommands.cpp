#include "output/ui/OutputCommands.h"

#include "output/ui/ColumnViewerWindow.h"
#include "output/ui/DictationWindow.h"
#include "output/ui/MergeWindow.h"
#include "output/ui/OutcomesWindow.h"
#include "output/ui/SlipsWindow.h"
#include "output/ui/WinningsCheckWindow.h"
#include "platform/WaitTimer.h"
#include "platform/WatchdogSoundPlayer.h"
#include "platform/ui/SinkSoundPlayer.h"
#include "session/Session.h"
#include "session/ui/CommandHost.h"

namespace {

// Placed by the dialog rule and shown modally.
template <typename Window> void openModal(CommandHost& host)
{
    Window dialog(host.session(), host.hostWidget());
    host.placeDialog(&dialog);
    dialog.exec();
}

} // namespace

void installOutputCommands(CommandHost& host)
{
    Session& session = host.session();
    host.setHandler(QStringLiteral("mnuAccorpa"), [&host, &session] {
        // One command both ways: merge while there is no merged system, discard it otherwise.
        if (session.document().MergedCount < 1)
            openModal<MergeWindow>(host);
        else
            session.unmerge();
    });
    // The shared windows read their mode while they load, so it is written first.
    const auto check = [&host, &session](const char* mode) {
        return [&host, &session, mode] {
            session.TaskMode = QLatin1String(mode);
            openModal<WinningsCheckWindow>(host);
        };
    };
    host.setHandler(QStringLiteral("mnuConColRid"), check("CRid"));
    host.setHandler(QStringLiteral("mnuConColInt"), check("CInt"));
    const auto view = [&host, &session](const char* mode) {
        return [&host, &session, mode] {
            session.DialogMode = QLatin1String(mode);
            openModal<ColumnViewerWindow>(host);
        };
    };
    host.setHandler(QStringLiteral("mnuSchedine"), [&host] { openModal<SlipsWindow>(host); });
    host.setHandler(QStringLiteral("mnuGaranzie"), [&host] { openModal<OutcomesWindow>(host); });
    host.setHandler(QStringLiteral("mnuDetta"), [&host] {
        SinkSoundPlayer desktop;
        WatchdogSoundPlayer player(desktop);
        EventLoopWaitTimer timer;
        DictationWindow dialog(host.session(), player, timer, host.hostWidget());
        host.placeDialog(&dialog);
        dialog.exec();
    });
    host.setHandler(QStringLiteral("mnuVediColRid"), view("CRid"));
    host.setHandler(QStringLiteral("mnuVediColInt"), view("CInt"));
}
