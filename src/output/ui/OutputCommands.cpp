#include "output/ui/OutputCommands.h"

#include "app/Session.h"
#include "app/ui/MainWindow.h"
#include "output/ui/ColumnViewerWindow.h"
#include "output/ui/MergeWindow.h"
#include "output/ui/WinningsCheckWindow.h"

namespace {

// Placed by the dialog rule and shown modally.
template <typename Window> void openModal(MainWindow& window)
{
    Window dialog(window.session(), &window);
    window.placeDialog(&dialog);
    dialog.exec();
}

} // namespace

void installOutputCommands(MainWindow& window)
{
    Session& session = window.session();
    window.setHandler(QStringLiteral("mnuAccorpa"), [&window, &session] {
        // One command both ways: merge while there is no merged system, discard it otherwise.
        if (session.document().MergedCount < 1)
            openModal<MergeWindow>(window);
        else
            session.unmerge();
    });
    // The shared windows read their mode while they load, so it is written first.
    const auto check = [&window, &session](const char* mode) {
        return [&window, &session, mode] {
            session.TaskMode = QLatin1String(mode);
            openModal<WinningsCheckWindow>(window);
        };
    };
    window.setHandler(QStringLiteral("mnuConColRid"), check("CRid"));
    window.setHandler(QStringLiteral("mnuConColInt"), check("CInt"));
    const auto view = [&window, &session](const char* mode) {
        return [&window, &session, mode] {
            session.DialogMode = QLatin1String(mode);
            openModal<ColumnViewerWindow>(window);
        };
    };
    window.setHandler(QStringLiteral("mnuVediColRid"), view("CRid"));
    window.setHandler(QStringLiteral("mnuVediColInt"), view("CInt"));
}
