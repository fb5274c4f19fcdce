#pragma once

#include "platform/UserPrompts.h"

#include <QList>
#include <QString>

#include <optional>

// Answers the program's questions from a script and records every one. A prompt the script did
// not expect fails the running test (through QTest) and is answered with Cancel / nullopt, so a
// test never blocks on a real dialog.
class ScriptedPrompts final : public UserPrompts {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile, PrinterSetup, PrinterChoice };

    struct Entry {
        Kind kind;
        QString text; // expected message text or input prompt; empty = any
        MessageAnswer answer = MessageAnswer::Ok;
        std::optional<QString> reply; // for input and file dialogs
    };

    struct Record {
        Kind kind;
        MessageRequest message; // for messages
        InputRequest input;     // for input boxes
        FileRequest file;       // for file dialogs
    };

    // Expect a message with this text, answered with `answer`.
    ScriptedPrompts& expectMessage(const QString& text, MessageAnswer answer = MessageAnswer::Ok)
    {
        return expect({Kind::Message, text, answer, {}});
    }
    ScriptedPrompts& expectInput(const QString& prompt, std::optional<QString> reply)
    {
        return expect({Kind::Input, prompt, MessageAnswer::Ok, std::move(reply)});
    }
    ScriptedPrompts& expectOpenFile(std::optional<QString> path)
    {
        return expect({Kind::OpenFile, {}, MessageAnswer::Ok, std::move(path)});
    }
    ScriptedPrompts& expectSaveFile(std::optional<QString> path)
    {
        return expect({Kind::SaveFile, {}, MessageAnswer::Ok, std::move(path)});
    }
    ScriptedPrompts& expectPrinterSetup(bool confirmed)
    {
        return expect(
            {Kind::PrinterSetup, {}, confirmed ? MessageAnswer::Ok : MessageAnswer::Cancel, {}});
    }
    // The printer-selection step answered with a PDF file, the printer when the path is empty,
    // or cancelled with nullopt.
    ScriptedPrompts& expectPrinterChoice(std::optional<QString> pdfPath)
    {
        return expect({Kind::PrinterChoice, {}, MessageAnswer::Ok, std::move(pdfPath)});
    }

    MessageAnswer message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    bool printerSetup() override;
    std::optional<PrintChoice> choosePrinter(const QString& title) override;

    const QList<Record>& records() const { return m_records; }
    QStringList messageTexts() const;
    const MessageRequest& lastMessage() const;
    bool allConsumed() const { return m_script.isEmpty(); }

private:
    ScriptedPrompts& expect(Entry entry)
    {
        m_script.append(std::move(entry));
        return *this;
    }
    // The next entry when it is of this kind and text; nothing (and a failure) else.
    std::optional<Entry> next(const Record& record, const QString& text);

    QList<Entry> m_script;
    QList<Record> m_records;
};
