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
    // Applies the current choice to a printer about to be used.
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
