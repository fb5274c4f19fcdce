#include "platform/ui/PrinterChoice.h"

#include <QPrinter>
#include <QPrinterInfo>

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

void PrinterChoice::configure(QPrinter& printer) const
{
    if (m_outputFile.isEmpty() && !m_printerName.isEmpty())
        printer.setPrinterName(m_printerName);
}

void PrinterChoice::remember(const QPrinter& printer)
{
    m_outputFile =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    m_printerName = printer.printerName();
    emit changed(printerName());
}
