#include "support/ScriptedPrompts.h"

#include <QTest>

namespace {
const char* kindName(ScriptedPrompts::Kind kind)
{
    switch (kind) {
    case ScriptedPrompts::Kind::Message:
        return "message";
    case ScriptedPrompts::Kind::Input:
        return "input box";
    case ScriptedPrompts::Kind::OpenFile:
        return "open dialog";
    case ScriptedPrompts::Kind::SaveFile:
        return "save dialog";
    case ScriptedPrompts::Kind::PrinterSetup:
        return "printer set-up";
    case ScriptedPrompts::Kind::PrinterChoice:
        return "printer choice";
    }
    return "?";
}
} // namespace

ScriptedPrompts& ScriptedPrompts::expectMessage(const QString& text, MessageAnswer answer)
{
    m_script.append({Kind::Message, text, answer, std::nullopt});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectInput(const QString& prompt, std::optional<QString> reply)
{
    m_script.append({Kind::Input, prompt, MessageAnswer::Ok, std::move(reply)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectOpenFile(std::optional<QString> path)
{
    m_script.append({Kind::OpenFile, {}, MessageAnswer::Ok, std::move(path)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectSaveFile(std::optional<QString> path)
{
    m_script.append({Kind::SaveFile, {}, MessageAnswer::Ok, std::move(path)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectPrinterSetup(bool confirmed)
{
    m_script.append({Kind::PrinterSetup,
                     {},
                     confirmed ? MessageAnswer::Ok : MessageAnswer::Cancel,
                     std::nullopt});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectPrinterChoice(std::optional<QString> pdfPath)
{
    m_script.append({Kind::PrinterChoice, {}, MessageAnswer::Ok, std::move(pdfPath)});
    return *this;
}

std::optional<ScriptedPrompts::Entry> ScriptedPrompts::next(Kind kind, const QString& text)
{
    if (m_script.isEmpty() || m_script.first().kind != kind ||
        (!m_script.first().text.isEmpty() && m_script.first().text != text)) {
        if (kind == Kind::Message && m_lenientMessages)
            return std::nullopt;
        const QString expected =
            m_script.isEmpty()
                ? QStringLiteral("nothing")
                : QStringLiteral("%1 \"%2\"")
                      .arg(QLatin1String(kindName(m_script.first().kind)), m_script.first().text);
        QTest::qFail(qPrintable(QStringLiteral("Unexpected %1 \"%2\"; the script expected %3")
                                    .arg(QLatin1String(kindName(kind)), text, expected)),
                     __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_script.takeFirst();
}

MessageAnswer ScriptedPrompts::message(const MessageRequest& request)
{
    m_records.append({Kind::Message, request, {}, {}});
    const auto entry = next(Kind::Message, request.text);
    if (!entry) {
        if (m_lenientMessages)
            return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok
                                                         : request.defaultAnswer;
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    return entry->answer;
}

std::optional<QString> ScriptedPrompts::input(const InputRequest& request)
{
    m_records.append({Kind::Input, {}, request, {}});
    const auto entry = next(Kind::Input, request.prompt);
    return entry ? entry->reply : std::nullopt;
}

std::optional<QString> ScriptedPrompts::openFile(const FileRequest& request)
{
    m_records.append({Kind::OpenFile, {}, {}, request});
    const auto entry = next(Kind::OpenFile, {});
    return entry ? entry->reply : std::nullopt;
}

std::optional<QString> ScriptedPrompts::saveFile(const FileRequest& request)
{
    m_records.append({Kind::SaveFile, {}, {}, request});
    const auto entry = next(Kind::SaveFile, {});
    return entry ? entry->reply : std::nullopt;
}

bool ScriptedPrompts::printerSetup()
{
    m_records.append({Kind::PrinterSetup, {}, {}, {}});
    const auto entry = next(Kind::PrinterSetup, {});
    return entry && entry->answer == MessageAnswer::Ok;
}

std::optional<PrintChoice> ScriptedPrompts::choosePrinter(const QString& title)
{
    m_records.append({Kind::PrinterChoice, {}, {}, {}});
    (void)title;
    const auto entry = next(Kind::PrinterChoice, {});
    if (!entry || !entry->reply)
        return std::nullopt;
    return PrintChoice{PrintDestination::Pdf, *entry->reply};
}

QStringList ScriptedPrompts::messageTexts() const
{
    QStringList texts;
    for (const Record& record : m_records) {
        if (record.kind == Kind::Message)
            texts.append(record.message.text);
    }
    return texts;
}

const MessageRequest& ScriptedPrompts::lastMessage() const
{
    static const MessageRequest none;
    for (auto it = m_records.crbegin(); it != m_records.crend(); ++it) {
        if (it->kind == Kind::Message)
            return it->message;
    }
    return none;
}

void ScriptedPrompts::clear()
{
    m_script.clear();
    m_records.clear();
}
