#include "platform/ui/PrintJob.h"

#include "platform/NumberFormat.h"
#include "platform/PainterPrinter.h"
#include "platform/PdfPrinter.h"
#include "platform/PrintError.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrinterChoice.h"
#include "platform/ui/WaitWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScopeGuard>

#include <optional>

namespace {

// Passes the progress on and lets the interface repaint now and then, since a long printout
// does not return to the event loop until it ends; user input waits until then.
class RepaintingProgress final : public ProgressReporter {
public:
    explicit RepaintingProgress(ProgressReporter& bar)
        : m_bar(bar)
    {
        m_sincePaint.start();
    }
    void setRange(int minimum, int maximum) override { m_bar.setRange(minimum, maximum); }
    void setValue(int value) override
    {
        m_bar.setValue(value);
        if (m_sincePaint.elapsed() >= 100) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            m_sincePaint.restart();
        }
    }

private:
    ProgressReporter& m_bar;
    QElapsedTimer m_sincePaint;
};

void drawOn(PainterPrinter& backEnd, const PrintJob::Draw& draw, ProgressReporter& progress)
{
    {
        PrintSurface surface(backEnd);
        draw(surface, progress);
    }
    if (!backEnd.finish())
        throw PrintError{PrintError::PrinterFailure, backEnd.errorString()};
}

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

PrintJob::Outcome PrintJob::run(const Request& request, const Draw& draw)
{
    const std::optional<PrintChoice> choice = m_prompts.choosePrinter(request.caption);
    if (!choice)
        return Outcome::Cancelled;

    auto wait = std::make_unique<WaitWindow>(request.caption, QStringLiteral("STAM"), m_parent);
    wait->setMessage(request.waitText);
    wait->showOver(m_parent);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto cleanUp = qScopeGuard([this, &wait] {
        wait.reset();
        m_progress.setValue(0);
        QApplication::restoreOverrideCursor();
    });
    RepaintingProgress progress(m_progress);
    const QString printerName = PrinterChoice::instance().printerName();
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
            {
                PrintSurface surface(pdf.backEnd());
                draw(surface, progress);
            }
            if (!pdf.finish(&error))
                throw PrintError{PrintError::PrinterFailure, error};
            break;
        }
        case PrintDestination::Printer: {
            QPrinter printer(QPrinter::HighResolution);
            PrinterChoice::instance().configure(printer);
            PainterPrinter backEnd(printer, printerName,
                                   request.jobPerDocument ? PainterPrinter::DocumentEnd::NewJob
                                                          : PainterPrinter::DocumentEnd::NextPage);
            try {
                drawOn(backEnd, draw, progress);
            } catch (const PrintError&) {
                // The job under way is dropped, not sent half drawn.
                printer.abort();
                throw;
            }
            break;
        }
        case PrintDestination::Preview: {
            QPrinter printer(QPrinter::HighResolution);
            PrinterChoice::instance().configure(printer);
            QPrintPreviewDialog preview(&printer, m_parent);
            preview.setWindowTitle(request.caption);
            std::optional<PrintError> failure;
            QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                             [&](QPrinter* target) {
                                 PainterPrinter backEnd(*target, printerName,
                                                        PainterPrinter::DocumentEnd::NextPage);
                                 try {
                                     drawOn(backEnd, draw, progress);
                                 } catch (const PrintError& error) {
                                     failure = error;
                                 }
                             });
            wait->hide();
            preview.exec();
            if (failure)
                throw *failure;
            break;
        }
        }
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
