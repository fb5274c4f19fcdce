#include "platform/PdfPrinter.h"

#include <QIODevice>
#include <QPageLayout>

// The PDF writer's output device: its many small writes gathered into large ones to the safely
// written file.
class SafeFileDevice final : public QIODevice {
public:
    explicit SafeFileDevice(SafeFile& file)
        : m_file(file)
    {
        m_buffer.reserve(Chunk);
        open(QIODevice::WriteOnly);
    }
    bool isSequential() const override { return true; }
    bool flushBuffer()
    {
        const bool ok = m_file.write(m_buffer);
        m_buffer.clear();
        return ok;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        m_buffer.append(data, size);
        if (m_buffer.size() >= Chunk && !flushBuffer())
            return -1;
        return size;
    }

private:
    static constexpr qsizetype Chunk = 256 * 1024;
    SafeFile& m_file;
    QByteArray m_buffer;
};

PdfPrinter::PdfPrinter(const QString& path, const QString& title)
    : m_file(path)
{
    m_open = m_file.open();
    m_device = std::make_unique<SafeFileDevice>(m_file);
    m_writer = std::make_unique<QPdfWriter>(m_device.get());
    m_writer->setResolution(Resolution);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("QUADRIGO 13"));
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    m_printer = std::make_unique<PainterPrinter>(*m_writer, QStringLiteral("PDF"),
                                                 PainterPrinter::DocumentEnd::NextPage);
}

// The painter lets go of the writer, and the writer of the device, before the file goes; a
// file never committed is removed with its temporary.
PdfPrinter::~PdfPrinter() = default;

bool PdfPrinter::isOpen(QString* error) const
{
    if (m_open)
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
    if (!m_device->flushBuffer() || !m_file.commit()) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    return true;
}
