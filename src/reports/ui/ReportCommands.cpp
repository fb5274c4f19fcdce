#include "reports/ui/ReportCommands.h"

#include "output/ui/LiveResultsWindow.h"
#include "platform/ColumnDatabase.h"
#include "platform/PrintError.h"
#include "platform/ui/PrintJob.h"
#include "reports/SystemPrintout.h"
#include "reports/ui/PropertiesWindow.h"
#include "reports/ui/ResultsWindow.h"
#include "session/Session.h"
#include "session/ui/CommandHost.h"

#include <QApplication>

namespace {

SystemPrintout::Context contextOf(Session& session)
{
    return {session.document(), session.options().columnCost(), QLocale()};
}

void printSystem(CommandHost& host, const QString& code)
{
    Session& session = host.session();
    session.TaskMode = QStringLiteral("STAM");
    PrintJob job(host.hostWidget(), session.prompts(), session.progress());
    job.run({session.document().SystemName,
             QStringLiteral("Stampa in corso... Attendere !"),
             {},
             false,
             PrintJob::jobNamed(QStringLiteral("Prospetto"))},
            [&session, &code](PrintSurface& surface, ProgressReporter& progress) {
                SystemPrintout::PrintSystem(surface, contextOf(session), code, progress);
            });
}

void printMerged(CommandHost& host, bool withProspect)
{
    Session& session = host.session();
    session.TaskMode = QStringLiteral("STAM");
    PrintJob job(host.hostWidget(), session.prompts(), session.progress());
    job.run({session.document().SystemName,
             QStringLiteral("Stampa Colonne Accorpate in corso... Attendere !"),
             {},
             false,
             PrintJob::jobNamed(QStringLiteral("Prospetto"))},
            [&session, withProspect](PrintSurface& surface, ProgressReporter& progress) {
                MergedColumns rows;
                QString error;
                if (!ColumnDatabase::readMergedRows(session.appFolder(), rows, &error))
                    throw PrintError{3021, error};
                SystemPrintout::PrintMergedColumns(surface, contextOf(session), rows, withProspect,
                                                   progress);
            });
}

// Placed by the dialog rule and shown modally; its Stampa prints the prospect alone.
void showProperties(CommandHost& host)
{
    Session& session = host.session();
    PropertiesWindow properties(
        session,
        [&host, &session] {
            session.PrintMode = QStringLiteral("StPr");
            printSystem(host, session.PrintMode);
        },
        host.hostWidget());
    host.placeDialog(&properties);
    properties.exec();
}

// One results window at a time, beside the main window rather than blocking it.
void showResults(CommandHost& host)
{
    if (auto* open = host.hostWidget()->findChild<ResultsWindow*>(QStringLiteral("frmRISULTATI"))) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* results = new ResultsWindow(host.session(), host.hostWidget());
    results->setAttribute(Qt::WA_DeleteOnClose);
    host.placeDialog(results);
    results->show();
}

// Modal while the results are typed; what was typed can go on into the results window, which
// keeps it once confirmed.
void showLiveResults(CommandHost& host)
{
    LiveResultsWindow live(host.session(), host.hostWidget());
    QByteArray carried;
    QObject::connect(&live, &LiveResultsWindow::carryToResults, &live,
                     [&carried](const QByteArray& results) { carried = results; });
    host.placeDialog(&live);
    live.exec();
    if (carried.isEmpty())
        return;
    showResults(host);
    if (auto* results =
            host.hostWidget()->findChild<ResultsWindow*>(QStringLiteral("frmRISULTATI")))
        results->takeSigns(carried);
}

} // namespace

void installReportCommands(CommandHost& host)
{
    Session& session = host.session();
    host.setHandler(QStringLiteral("mnuStampaPro"), [&host, &session] {
        session.PrintMode = QStringLiteral("StPr");
        printSystem(host, session.PrintMode);
    });
    host.setHandler(QStringLiteral("mnuIntegrale"), [&host, &session] {
        session.PrintMode = QStringLiteral("SPCI");
        printSystem(host, session.PrintMode);
    });
    // With a merged system the column printouts show the merged rows instead.
    host.setHandler(QStringLiteral("mnuRidotto"), [&host, &session] {
        if (session.document().MergedCount >= 1)
            return printMerged(host, true);
        session.PrintMode = QStringLiteral("SPCR");
        printSystem(host, session.PrintMode);
    });
    host.setHandler(QStringLiteral("tmRidotto"), [&host, &session] {
        if (session.document().MergedCount >= 1)
            return printMerged(host, false);
        printSystem(host, QStringLiteral("VCCR"));
    });
    host.setHandler(QStringLiteral("mnuRisultati"), [&host] { showResults(host); });
    host.setHandler(QStringLiteral("mnuDiretta"), [&host] { showLiveResults(host); });
    host.setHandler(QStringLiteral("mnuProprieta"), [&host] { showProperties(host); });
}
