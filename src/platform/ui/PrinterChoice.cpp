#include "platform/ui/PrinterChoice.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

PrinterChoice& PrinterChoice::instance()
{
    static PrinterChoice choice;
    return choice;
}

QString PrinterChoice::printerName() const
{
    if (!m_outputFile.isEmpty())
        return m_outputFile;
    if (!m_printerName.isEmpty())
        return m_printerName;
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? QStringLiteral("PDF") : name;
}

void PrinterChoice::configure(QPrinter& printer, const QString& jobName) const
{
    if (m_outputFile.isEmpty() && !m_printerName.isEmpty())
        printer.setPrinterName(m_printerName);
    printer.setCopyCount(m_copies);
    printer.setDocName(jobName);
    printer.setFullPage(false);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(m_paper.isValid() ? m_paper : QPageSize(QPageSize::A4));
    // Qt's own default margin would shift every printout; the printer's minimum is all the
    // printable area's corner needs.
    const QPageLayout layout = printer.pageLayout();
    QPageLayout inMillimetres = layout;
    inMillimetres.setUnits(QPageLayout::Millimeter);
    const QMarginsF minimum = inMillimetres.minimumMargins();
    const QMarginsF margins(std::max(minimum.left(), m_margins.left()),
                            std::max(minimum.top(), m_margins.top()),
                            std::max(minimum.right(), m_margins.right()),
                            std::max(minimum.bottom(), m_margins.bottom()));
    // The minimum rounded to millimetres may fall a hair short of it and be refused.
    if (margins == minimum || !printer.setPageMargins(margins, QPageLayout::Millimeter))
        printer.setPageMargins(layout.minimumMargins(), layout.units());
}

void PrinterChoice::remember(const QPrinter& printer)
{
    m_outputFile =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    m_printerName = printer.printerName();
    emit changed(printerName());
}

void PrinterChoice::rememberSettings(const QPrinter& printer)
{
    remember(printer);
    m_copies = printer.copyCount();
    m_paper = printer.pageLayout().pageSize();
    m_margins = printer.pageLayout().margins(QPageLayout::Millimeter);
}
