#include "support/ScriptedPrompts.h"

#include <QTest>

std::optional<ScriptedPrompts::Entry> ScriptedPrompts::next(const Record& record,
                                                            const QString& text)
{
    m_records.append(record);
    const Kind kind = record.kind;
    if (!m_script.isEmpty() && m_script.first().kind == kind &&
        (m_script.first().text.isEmpty() || m_script.first().text == text))
        return m_script.takeFirst();
    static const char* const names[] = {"message",     "input box",      "open dialog",
                                        "save dialog", "printer set-up", "printer choice"};
    const auto name = [](Kind k) { return QLatin1String(names[int(k)]); };
    const QString expected =
        m_script.isEmpty()
            ? QStringLiteral("nothing")
            : QStringLiteral("%1 \"%2\"").arg(name(m_script.first().kind), m_script.first().text);
    QTest::qFail(qPrintable(QStringLiteral("Unexpected %1 \"%2\"; the script expected %3")
                                .arg(name(kind), text, expected)),
                 __FILE__, __LINE__);
    return std::nullopt;
}

MessageAnswer ScriptedPrompts::message(const MessageRequest& request)
{
    if (const auto entry = next({Kind::Message, request, {}, {}}, request.text))
        return entry->answer;
    return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<QString> ScriptedPrompts::input(const InputRequest& request)
{
    const auto entry = next({Kind::Input, {}, request, {}}, request.prompt);
    return entry ? entry->reply : std::nullopt;
}

std::optional<QString> ScriptedPrompts::openFile(const FileRequest& request)
{
    const auto entry = next({Kind::OpenFile, {}, {}, request}, {});
    return entry ? entry->reply : std::nullopt;
}

std::optional<QString> ScriptedPrompts::saveFile(const FileRequest& request)
{
    const auto entry = next({Kind::SaveFile, {}, {}, request}, {});
    return entry ? entry->reply : std::nullopt;
}

bool ScriptedPrompts::printerSetup()
{
    const auto entry = next({Kind::PrinterSetup, {}, {}, {}}, {});
    return entry && entry->answer == MessageAnswer::Ok;
}

std::optional<PrintChoice> ScriptedPrompts::choosePrinter(const QString&)
{
    const auto entry = next({Kind::PrinterChoice, {}, {}, {}}, {});
    if (!entry || !entry->reply)
        return std::nullopt;
    if (entry->reply->isEmpty())
        return PrintChoice{PrintDestination::Printer, {}};
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
