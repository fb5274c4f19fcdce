#include "platform/ui/PrintJob.h"

#include "platform/NumberFormat.h"
#include "platform/PageTracker.h"
#include "platform/PainterPrinter.h"
#include "platform/PdfPrinter.h"
#include "platform/PrintError.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintPreviewWindow.h"
#include "platform/ui/PrinterChoice.h"
#include "platform/ui/PrinterQueue.h"
#include "platform/ui/WaitWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLayout>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>

#include <optional>

namespace {

// Raised at a page start once the user has asked to stop.
struct Interrupted {};

} // namespace

PrintJob::PrintJob(QWidget* parent, UserPrompts& prompts, ProgressReporter& progress)
    : m_parent(parent)
    , m_prompts(prompts)
    , m_progress(progress)
{}

QString PrintJob::errorText(const PrintError& error)
{
    return QStringLiteral("Errore") + NumberFormat::Str(error.number) + QStringLiteral(" (") +
           error.description + QLatin1Char(')');
}

std::function<QString(int)> PrintJob::jobNamed(const QString& title)
{
    return [name = QStringLiteral("QUADRIGO 13 - ") + title](int) { return name; };
}

PrintJob::Outcome PrintJob::run(const Request& request, const Draw& draw)
{
    const std::optional<PrintChoice> choice = m_prompts.choosePrinter(request.caption);
    if (!choice)
        return Outcome::Cancelled;
    const auto jobName = request.jobName ? request.jobName : jobNamed(request.caption);
    if (choice->destination == PrintDestination::Printer && request.printerAccepted &&
        !request.printerAccepted(PrinterChoice::instance().printerName()))
        return Outcome::Cancelled;

    auto wait = std::make_unique<WaitWindow>(request.caption, QStringLiteral("STAM"), m_parent);
    wait->setMessage(request.waitText);
    // The wait window alone takes input while the pages go: its button stops them.
    wait->setWindowModality(Qt::ApplicationModal);
    auto* stop = new QPushButton(QStringLiteral("&Interrompi"), wait.get());
    stop->setObjectName(QStringLiteral("cmdInterrompi"));
    QObject::connect(stop, &QPushButton::clicked, wait.get(), [this] { interrupt(); });
    wait->layout()->addWidget(stop);
    m_interrupted = false;
    if (choice->destination != PrintDestination::Preview)
        wait->showOver(m_parent);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto cleanUp = qScopeGuard([this, &wait] {
        wait.reset();
        m_progress.setValue(0);
        QApplication::restoreOverrideCursor();
    });
    ProgressReporter& progress = m_progress;
    ProgressReporter silent;
    const QString printerName = PrinterChoice::instance().printerName();

    // Each page start shows "pagina n di N" and lets the interface and its Interrompi button
    // have their turn, a few times a second.
    QElapsedTimer sinceYield;
    sinceYield.start();
    int pageCount = 0;
    const auto pageStarting = [&](int page) {
        if (page == 1 || page == pageCount || sinceYield.elapsed() >= 100) {
            wait->setProgressText(QStringLiteral("pagina %1 di %2").arg(page).arg(pageCount));
            QCoreApplication::processEvents();
            sinceYield.restart();
        }
        if (m_interrupted)
            throw Interrupted{};
    };
    const auto countPages = [&] {
        pageCount =
            PrintPreviewWindow::countPages([&](PrintSurface& surface) { draw(surface, silent); },
                                           [&](int) {
                                               if (sinceYield.elapsed() >= 100) {
                                                   QCoreApplication::processEvents();
                                                   sinceYield.restart();
                                               }
                                               if (m_interrupted)
                                                   throw Interrupted{};
                                           });
    };

    // A PDF file chosen in the printer set-up is written like one chosen here.
    const QString& setUpFile = PrinterChoice::instance().outputFile();
    const PrintDestination destination =
        choice->destination == PrintDestination::Printer && !setUpFile.isEmpty()
            ? PrintDestination::Pdf
            : choice->destination;
    try {
        switch (destination) {
        case PrintDestination::Pdf: {
            PdfPrinter pdf(choice->destination == PrintDestination::Pdf ? choice->pdfPath
                                                                        : setUpFile,
                           request.caption);
            QString error;
            if (!pdf.isOpen(&error))
                throw PrintError{PrintError::PrinterFailure, error};
            countPages();
            {
                PageTracker tracker(&pdf.backEnd());
                tracker.pageStarting = pageStarting;
                PrintSurface surface(tracker);
                draw(surface, progress);
            }
            if (!pdf.finish(&error))
                throw PrintError{PrintError::PrinterFailure, error};
            break;
        }
        case PrintDestination::Printer: {
            // A printer that takes no job is told before any page is counted or drawn, and
            // again before each job, since a queue may stop taking them during a run.
            PrinterQueue& queue = PrinterQueue::current();
            if (const QString refusal = queue.refusal(printerName); !refusal.isEmpty())
                throw PrintError{PrintError::PrinterFailure, refusal};
            countPages();
            QPrinter printer(QPrinter::HighResolution);
            PrinterChoice::instance().configure(printer, jobName(1));
            queue.prepare(printer);
            PainterPrinter backEnd(printer, printerName,
                                   request.jobPerDocument ? PainterPrinter::DocumentEnd::NewJob
                                                          : PainterPrinter::DocumentEnd::NextPage);
            backEnd.keepPaper = PrinterChoice::instance().paperChosen();
            backEnd.documentStarting = [&](int document) {
                printer.setDocName(jobName(document));
                return queue.refusal(printerName);
            };
            backEnd.documentRefusal = [&] {
                if (printer.printerState() == QPrinter::Error ||
                    printer.printerState() == QPrinter::Aborted)
                    return QStringLiteral("La stampante %1 ha rifiutato il lavoro")
                        .arg(printerName);
                return queue.jobRefusal(printerName);
            };
            try {
                {
                    PageTracker tracker(&backEnd);
                    tracker.pageStarting = pageStarting;
                    PrintSurface surface(tracker);
                    draw(surface, progress);
                }
                if (!backEnd.finish())
                    throw PrintError{PrintError::PrinterFailure, backEnd.errorString()};
            } catch (...) {
                // The job under way is dropped, not sent half drawn.
                printer.abort();
                throw;
            }
            break;
        }
        case PrintDestination::Preview: {
            PrintPreviewWindow preview(
                request.caption, [&](PrintSurface& surface) { draw(surface, silent); }, m_parent);
            QApplication::restoreOverrideCursor();
            cleanUp.dismiss();
            wait.reset();
            preview.exec();
            m_progress.setValue(0);
            break;
        }
        }
    } catch (const Interrupted&) {
        return Outcome::Interrupted;
    } catch (const PrintError& error) {
        cleanUp.dismiss();
        wait.reset();
        m_progress.setValue(0);
        QApplication::restoreOverrideCursor();
        const QString text = request.errorText ? request.errorText(error) : errorText(error);
        if (!text.isEmpty())
            m_prompts.message({MessageIcon::Critical, QStringLiteral("QUADRIGO 13"), text});
        return Outcome::Failed;
    }
    return Outcome::Printed;
}
