#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliUsage.h"

#include "output/ColumnListing.h"
#include "output/DictationSequence.h"
#include "output/Merger.h"
#include "output/SlipsLogic.h"
#include "output/WinningsCheck.h"
#include "platform/ColumnDatabase.h"
#include "platform/NumberFormat.h"

#include <optional>

namespace Cli {

namespace {

// Takes "--integral" out of the arguments.
bool takeIntegral(QStringList& arguments)
{
    return arguments.removeAll(QStringLiteral("--integral")) > 0;
}

// True when exactly `count` arguments are left; otherwise prints how the command is used.
bool hasArguments(const QStringList& arguments, qsizetype count, const QString& usage)
{
    if (arguments.size() == count)
        return true;
    printError(usage);
    return false;
}

// The columns the command works on, or nullptr (with the reason printed) when that system has
// not been built.
const ColumnBuffer* columnsOf(const SystemDocument& document, bool integral)
{
    if (integral) {
        if (document.IntegralCount < 1 || document.IntegralColumns.isEmpty()) {
            printError(QStringLiteral("Il Sistema Integrale non è stato ancora generato !"));
            return nullptr;
        }
        return &document.IntegralColumns;
    }
    if (document.ReducedCount < 1 || document.WorkColumns.isEmpty()) {
        printError(QStringLiteral("Il Sistema Ridotto non è stato ancora elaborato !"));
        return nullptr;
    }
    return &document.WorkColumns;
}

// Loads the system named by its .pro path and gives the columns the command works on, or
// nullptr with the reason printed.
const ColumnBuffer* loadColumns(const QString& argument, SystemDocument& document, bool integral)
{
    SystemPath path;
    if (!splitSystemPath(argument, path) || !loadSystem(path, document))
        return nullptr;
    return columnsOf(document, integral);
}

// Lines go out in blocks: a full integral system lists 1.6 million of them.
class BlockPrinter final {
    Q_DISABLE_COPY_MOVE(BlockPrinter)
public:
    BlockPrinter() = default;
    ~BlockPrinter() { flush(); }
    void add(const QString& line)
    {
        m_lines << line;
        if (m_lines.size() == 4096)
            flush();
    }
    void flush()
    {
        if (!m_lines.isEmpty())
            printLine(m_lines.join(u'\n'));
        m_lines.clear();
    }

private:
    QStringList m_lines;
};

} // namespace

int runMerge(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    if (!hasArguments(arguments, 1, usageOf(QStringLiteral("merge"))))
        return ExitUsage;
    SystemDocument document;
    const ColumnBuffer* columns = loadColumns(arguments.first(), document, false);
    if (!columns || !prepareAppFolder(appFolder))
        return ExitBadInput;
    MergedColumns rows;
    QString error;
    if (!Merger::mergeAndStore(appFolder, *columns, rows, &error)) {
        printError(QStringLiteral("Impossibile scrivere le Colonne Accorpate ! (%1)").arg(error));
        return ExitBadInput;
    }
    BlockPrinter printer;
    for (qsizetype r = 0; r < rows.count(); ++r) {
        QStringList plays;
        for (int match = 0; match < MergedColumns::Width; ++match)
            plays << rows.play(r, match);
        printer.add(plays.join(u' '));
    }
    printer.add(QStringLiteral("Accorpate:") +
                NumberFormat::Str(static_cast<double>(rows.count())));
    return ExitOk;
}

int runCheck(QStringList arguments)
{
    takeAppFolder(arguments);
    const bool integral = takeIntegral(arguments);
    if (!hasArguments(arguments, 2, usageOf(QStringLiteral("check"))))
        return ExitUsage;
    const QByteArray winning = arguments.at(1).toLatin1();
    if (arguments.at(1).size() != ColumnBuffer::Width || !WinningsCheck::isWinningColumn(winning)) {
        printError(QStringLiteral("La Colonna Vincente '%1' non è valida: servono 13 segni tra "
                                  "1, X, 2 e - !")
                       .arg(arguments.at(1)));
        return ExitBadInput;
    }
    SystemDocument document;
    const ColumnBuffer* columns = loadColumns(arguments.first(), document, integral);
    if (!columns)
        return ExitBadInput;
    WinningsCheck::Ticked all;
    all.fill(true);
    const WinningsCheck::Counts counts = WinningsCheck::count(*columns, winning, all);
    for (int category = 1; category <= WinningsCheck::Categories; ++category) {
        printLine(QStringLiteral("%1: %2")
                      .arg(WinningsCheck::romanNumeral(category))
                      .arg(counts[category - 1].value_or(0)));
    }
    return ExitOk;
}

int runList(QStringList arguments)
{
    takeAppFolder(arguments);
    const bool integral = takeIntegral(arguments);
    if (!hasArguments(arguments, 1, usageOf(QStringLiteral("list"))))
        return ExitUsage;
    SystemDocument document;
    const ColumnBuffer* columns = loadColumns(arguments.first(), document, integral);
    if (!columns)
        return ExitBadInput;
    BlockPrinter printer;
    for (qsizetype i = 0; i < columns->count(); ++i)
        printer.add(ColumnListing::line(i + 1, columns->column(i)));
    return ExitOk;
}

int runDictate(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    const auto take = [&arguments](const QString& name) -> std::optional<QString> {
        const qsizetype at = arguments.indexOf(name);
        if (at < 0 || at + 1 >= arguments.size())
            return std::nullopt;
        const QString value = arguments.at(at + 1);
        arguments.remove(at, 2);
        return value;
    };
    const auto from = take(QStringLiteral("--from"));
    const auto to = take(QStringLiteral("--to"));
    const QString speed = take(QStringLiteral("--speed")).value_or(QStringLiteral("4"));
    const bool plan = arguments.removeAll(QStringLiteral("--plan")) > 0;
    if (!plan) {
        printError(QStringLiteral("Indicare --plan: la dettatura a voce si fa dal programma."));
        return ExitUsage;
    }
    if (!hasArguments(arguments, 1, usageOf(QStringLiteral("dictate"))))
        return ExitUsage;
    SystemDocument document;
    SystemPath path;
    if (!splitSystemPath(arguments.first(), path) || !loadSystem(path, document))
        return ExitBadInput;
    // While a merged system exists its rows are dictated, as in the program.
    MergedColumns merged;
    std::optional<SlipLayout::SlipSource> source;
    if (document.MergedCount >= 1) {
        QString error;
        if (!ColumnDatabase::readMergedRows(appFolder, merged, &error)) {
            printError(error);
            return ExitBadInput;
        }
        source.emplace(merged);
    } else if (columnsOf(document, false)) {
        source.emplace(document.WorkColumns, document.ReducedCount);
    } else {
        return ExitBadInput;
    }
    const SlipsLogic slips(SlipLayout::slipCount(source->count()), {});
    const auto notch = NumberFormat::wholeWithin(speed, 1, 10);
    const auto range = slips.range(from.value_or(QStringLiteral("1")),
                                   to.value_or(QString::number(slips.slipCount())));
    if (!range || !notch) {
        printError(SlipsLogic::NotAllowed);
        return ExitBadInput;
    }
    const double delay = DictationSequence::delayOf(int(*notch));
    DictationSequence sequence(*source, range->first, range->second);
    BlockPrinter printer;
    while (const auto step = sequence.next())
        printer.add(step->file + u' ' +
                    QString::number(DictationSequence::waitAfter(step->kind, delay)));
    return ExitOk;
}

} // namespace Cli
