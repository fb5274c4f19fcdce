#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

enum class MessageIcon { None, Information, Question, Exclamation, Critical };
// YesNoAllCancel is for one question asked of many items in a row: "Sì a tutti" and "No a tutti"
// answer it for the rest.
enum class MessageButtons { Ok, YesNo, YesNoCancel, YesNoAllCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel, YesToAll, NoToAll };

struct MessageRequest {
    MessageIcon icon = MessageIcon::None;
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

struct InputRequest {
    QString title;
    QString prompt;
    QString defaultText;
    std::optional<QPoint> screenPosition; // top-left in pixels, when the caller fixes it
};

struct FileRequest {
    QString title;
    QStringList filters;    // "Pronostico (*.pro)"
    int selectedFilter = 0; // index into filters
    QString defaultSuffix;  // "pro"
    QString folder;
    QString fileName; // initial name, may be a pattern such as "*.pro"
};

// Where a printout goes, chosen in the printer-selection step before it.
enum class PrintDestination { Printer, Preview, Pdf };
struct PrintChoice {
    PrintDestination destination = PrintDestination::Printer;
    QString pdfPath; // for Pdf
};

// Every modal question the program asks the user: message boxes, input boxes, file and printer
// dialogs. Windows receive it from the application so that tests can script the answers.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    virtual MessageAnswer message(const MessageRequest& request) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> input(const InputRequest& request) = 0;
    // The chosen full path, nullopt on cancel. Saving asks before overwriting.
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    // Printer set-up; true when the user confirmed a choice.
    virtual bool printerSetup() = 0;
    // The printer-selection step before a printout: the printer, a preview or a PDF file;
    // nullopt when the user cancels, and then nothing is printed.
    virtual std::optional<PrintChoice> choosePrinter(const QString& title) = 0;

    void inform(const QString& title, const QString& text)
    {
        message({MessageIcon::Information, title, text});
    }
    void warn(const QString& title, const QString& text)
    {
        message({MessageIcon::Exclamation, title, text});
    }
    MessageAnswer ask(MessageIcon icon, const QString& title, const QString& text,
                      MessageButtons buttons, MessageAnswer defaultAnswer = MessageAnswer::Yes)
    {
        return message({icon, title, text, buttons, defaultAnswer});
    }
};
