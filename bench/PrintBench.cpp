#include "BenchSupport.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "output/SlipLayout.h"
#include "platform/PdfPrinter.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/ui/PrintPreviewWindow.h"
#include "reports/SystemPrintout.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Processor time used so far, in seconds: on a machine shared with builds it tells the work
// apart from the waiting.
double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One printout into a fresh PDF file; returns its size in MB.
double toPdf(const QString& path, const std::function<void(PrintSurface&)>& draw)
{
    {
        PdfPrinter pdf(path);
        {
            PrintSurface surface(pdf.backEnd());
            draw(surface);
        }
        QString error;
        if (!pdf.finish(&error))
            qFatal("PDF not written: %s", qPrintable(error));
    }
    return QFileInfo(path).size() / 1e6;
}

} // namespace

// Run first, so that the peak memory reported is the printouts' own.
void benchPrinting()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.pdf"));
    SystemDocument document;
    document.SystemName = QStringLiteral("Bench");
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    for (int i = 1; i <= 13; ++i)
        document.setSigns(i, signs[i - 1]);
    document.countKinds();
    document.IntegralColumns = IntegralGenerator::generate(signs);
    document.IntegralCount = qint32(document.IntegralColumns.count());
    const SystemPrintout::Context context{document, 0.5, QLocale::c()};
    ProgressReporter progress;

    // The preview draws the page asked for and keeps it alone.
    const PrintPreviewWindow::Draw preview = [&](PrintSurface& surface) {
        SystemPrintout::PrintSystem(surface, context, QStringLiteral("VCCI"), progress);
    };
    report(QStringLiteral("3^13 integral preview, first page"),
           medianMilliseconds(3, [&] { PrintPreviewWindow::render(preview, 1, 96); }));
    int pages = 0;
    report(QStringLiteral("3^13 integral preview, page count"),
           medianMilliseconds(1, [&] { pages = PrintPreviewWindow::countPages(preview); }));
    const double last =
        medianMilliseconds(1, [&] { PrintPreviewWindow::render(preview, pages, 96); });
    report(QStringLiteral("3^13 integral preview, last of %1 pages (peak %2 MB)")
               .arg(pages)
               .arg(peakMegabytes(), 0, 'f', 0),
           last);

    double size = 0;
    const double processorBefore = processorSeconds();
    const double integral = medianMilliseconds(1, [&] {
        size = toPdf(path, [&](PrintSurface& surface) {
            SystemPrintout::PrintSystem(surface, context, QStringLiteral("VCCI"), progress);
        });
    });
    report(QStringLiteral("3^13 integral column pages to PDF (%1 MB, peak %2 MB, CPU %3 s)")
               .arg(size, 0, 'f', 0)
               .arg(peakMegabytes(), 0, 'f', 0)
               .arg(processorSeconds() - processorBefore, 0, 'f', 1),
           integral);

    for (qsizetype i = 0; i < 10000; ++i)
        document.WorkColumns.append(document.IntegralColumns.column(i * 97));
    document.ReducedCount = 10000;
    document.SlipCount = double(SlipLayout::slipCount(10000));
    report(QStringLiteral("10,000 reduced columns with prospect to PDF"),
           medianMilliseconds(5, [&] {
               toPdf(path, [&](PrintSurface& surface) {
                   SystemPrintout::PrintSystem(surface, context, QStringLiteral("SPCR"), progress);
               });
           }));

    const SlipLayout::SlipSource source(document.WorkColumns, 4000);
    report(QStringLiteral("1,000 slips to PDF"), medianMilliseconds(5, [&] {
               toPdf(path, [&](PrintSurface& surface) {
                   SlipLayout::prepare(surface);
                   SlipLayout::printSlips(surface, {}, source, 1, 1000, 0.5, progress);
               });
           }));
}
