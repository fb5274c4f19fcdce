#pragma once

#include <QString>

#include <functional>

class PrintSurface;
class ProgressReporter;
class QWidget;
class UserPrompts;
struct PrintError;

// One printout from the printer-selection step to the clean-up: the destination chosen (the
// printer, a preview, a PDF file), the wait window and the progress bar while the pages are
// drawn and sent one by one, the error message on failure.
class PrintJob final {
public:
    enum class Outcome { Cancelled, Printed, Failed };
    using Draw = std::function<void(PrintSurface&, ProgressReporter&)>;
    using ErrorText = std::function<QString(const PrintError&)>;

    struct Request {
        QString caption;  // the wait window's caption: the system's name
        QString waitText; // "Stampa in corso... Attendere !"
        // The message of a failure, none when empty; "Errore" and the number by default.
        ErrorText errorText;
        // A printer gets each document ended as a print job of its own.
        bool jobPerDocument = false;
    };

    PrintJob(QWidget* parent, UserPrompts& prompts, ProgressReporter& progress);

    Outcome run(const Request& request, const Draw& draw);

    // "Errore 482 (description)".
    static QString errorText(const PrintError& error);

private:
    QWidget* m_parent;
    UserPrompts& m_prompts;
    ProgressReporter& m_progress;
};
