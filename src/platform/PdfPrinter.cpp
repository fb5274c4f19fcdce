#include "platform/PdfPrinter.h"

#include <QPageLayout>

PdfPrinter::PdfPrinter(const QString& path, const QString& title)
    : m_file(path)
{
    m_file.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setResolution(Resolution);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("QUADRIGO 13"));
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    m_printer = std::make_unique<PainterPrinter>(*m_writer, QStringLiteral("PDF"),
                                                 PainterPrinter::DocumentEnd::NextPage);
}

PdfPrinter::~PdfPrinter()
{
    // The painter must let go of the writer before the file is discarded.
    m_printer.reset();
    m_writer.reset();
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool PdfPrinter::isOpen(QString* error) const
{
    if (m_file.isOpen())
        return true;
    if (error)
        *error = m_file.errorString();
    return false;
}

bool PdfPrinter::finish(QString* error)
{
    if (!isOpen(error))
        return false;
    if (!m_printer->finish()) {
        if (error)
            *error = m_printer->errorString();
        return false;
    }
    m_printer.reset();
    m_writer.reset();
    if (!m_file.commit()) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    return true;
}
