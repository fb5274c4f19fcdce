#pragma once

#include <QString>

#include <functional>

class PrintSurface;
class ProgressReporter;
class QWidget;
class UserPrompts;
struct PrintError;

// One printout from the printer-selection step to the clean-up: the destination chosen (the
// printer, a preview, a PDF file), the wait window with "pagina n di N" and Interrompi while the
// pages are drawn and sent one by one, the error message on failure. An interrupted printout
// sends nothing more and leaves no PDF file.
class PrintJob final {
public:
    enum class Outcome { Cancelled, Printed, Failed, Interrupted };
    using Draw = std::function<void(PrintSurface&, ProgressReporter&)>;
    using ErrorText = std::function<QString(const PrintError&)>;

    struct Request {
        QString caption;  // the wait window's caption: the system's name
        QString waitText; // "Stampa in corso... Attendere !"
        // The message of a failure, none when empty; "Errore" and the number by default.
        ErrorText errorText;
        // A printer gets each document ended as a print job of its own.
        bool jobPerDocument = false;
        // The name of each print job in the printer's queue, given the document's number from
        // 1; "QUADRIGO 13 - " and the caption when none.
        std::function<QString(int document)> jobName = {};
        // Asked before anything goes to a printer, with its name; false prints nothing.
        std::function<bool(const QString& printer)> printerAccepted = {};
    };

    PrintJob(QWidget* parent, UserPrompts& prompts, ProgressReporter& progress);

    Outcome run(const Request& request, const Draw& draw);

    // "Errore 482 (description)".
    static QString errorText(const PrintError& error);
    // "QUADRIGO 13 - " and `title`, the same for every document.
    static std::function<QString(int)> jobNamed(const QString& title);

    // Stops the printout under way at its next page, as the Interrompi button does.
    void interrupt() { m_interrupted = true; }

private:
    QWidget* m_parent;
    UserPrompts& m_prompts;
    ProgressReporter& m_progress;
    bool m_interrupted = false;
};
