#pragma once

#include <QObject>
#include <QString>

class QPrinter;

// The printer the program prints on: the system default until the user picks another in the
// printer set-up, for the rest of the run.
class PrinterChoice final : public QObject {
    Q_OBJECT
public:
    static PrinterChoice& instance();

    QString printerName() const;
    // The PDF file chosen in the printer set-up instead of a printer; empty for a printer.
    const QString& outputFile() const { return m_outputFile; }
    // Applies the current choice to a printer about to be used. A PDF file chosen instead of a
    // printer is not handed on: the printer would write it in place, so it goes through
    // PdfPrinter.
    void configure(QPrinter& printer) const;
    // Takes the printer (and output file) the user chose.
    void remember(const QPrinter& printer);

signals:
    void changed(const QString& printerName);

private:
    PrinterChoice() = default;
    QString m_printerName;
    QString m_outputFile;
};
