#pragma once

#include "platform/PainterPrinter.h"
#include "platform/SafeFile.h"

#include <QPdfWriter>

#include <memory>

class SafeFileDevice;

// Printouts into a PDF file, without a printer or a window: A4 with no margins, so the page's
// top left corner is the printable area's origin and a slip measured on the PDF matches the
// printed one. Each document ended goes on to the next page of the same file. The file is
// written safely and appears only when finish() succeeds; an abandoned or failed printout
// leaves nothing behind.
class PdfPrinter final {
    Q_DISABLE_COPY_MOVE(PdfPrinter)
public:
    static constexpr int Resolution = 1200;

    explicit PdfPrinter(const QString& path, const QString& title = {});
    ~PdfPrinter();

    // False with the reason, in Italian, when the file cannot be created.
    bool isOpen(QString* error = nullptr) const;
    PrintBackEnd& backEnd() { return *m_printer; }
    bool finish(QString* error = nullptr);

private:
    SafeFile m_file;
    bool m_open = false;
    std::unique_ptr<SafeFileDevice> m_device;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<PainterPrinter> m_printer;
};
