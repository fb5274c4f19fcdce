#pragma once

#include <QMarginsF>
#include <QObject>
#include <QPageSize>
#include <QString>

class QPrinter;

// The printer the program prints on and what the user set on it: the system default until the
// user picks another in the printer set-up, for the rest of the run, with the copies, paper and
// margins chosen there.
class PrinterChoice final : public QObject {
    Q_OBJECT
public:
    static PrinterChoice& instance();

    QString printerName() const;
    // The PDF file chosen in the printer set-up instead of a printer; empty for a printer.
    const QString& outputFile() const { return m_outputFile; }
    // Applies the current choice to a printer about to be used: every printout is portrait and
    // counts from the corner of the printable area, so the margins are the printer's own
    // minimum unless the user set wider ones; the job is called `jobName`. A PDF file chosen
    // instead of a printer is not handed on: the printer would write it in place, so it goes
    // through PdfPrinter.
    void configure(QPrinter& printer, const QString& jobName = {}) const;
    // Takes the printer (and output file) the user chose.
    void remember(const QPrinter& printer);
    // Takes the printer and the copies, paper and margins set on it in the printer set-up.
    void rememberSettings(const QPrinter& printer);
    // Whether the set-up sends the printouts to a file instead of a printer.
    bool printsToFile() const { return !m_outputFile.isEmpty(); }
    // Whether the user chose a paper, which then stays whatever a printout asks for.
    bool paperChosen() const { return m_paper.isValid(); }

signals:
    void changed(const QString& printerName);

private:
    PrinterChoice() = default;
    QString m_printerName;
    QString m_outputFile;
    int m_copies = 1;
    QPageSize m_paper;
    QMarginsF m_margins; // millimetres
};
