#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

#include "conditions/Measures.h"
#include "conditions/ReductionEngine.h"
#include "document/IntegralGenerator.h"
#include "document/SystemFiles.h"
#include "platform/ColumnDatabase.h"

namespace Cli {

namespace {

// A reduction whose conditions leave no column: nothing is saved.
constexpr int ExitEmptyReduction = 3;

// Prints each pass as soon as it ends, so a long run shows where it is.
class PassPrinter final : public ReductionObserver {
public:
    void passFinished(ReductionPass pass, qsizetype survivors) override
    {
        printLine(ReductionEngine::captionOf(pass) + QStringLiteral(": ") +
                  QString::number(survivors));
    }
};

bool isColumnText(const QString& text)
{
    if (text.size() != ColumnBuffer::Width)
        return false;
    for (QChar c : text) {
        if (c != QLatin1Char('1') && c != QLatin1Char('X') && c != QLatin1Char('2') &&
            c != QLatin1Char('-'))
            return false;
    }
    return true;
}

QString measuresLine(const QString& column)
{
    const ColumnMeasures m = Measures::measure(column.toLatin1());
    QString line = QStringLiteral("%1 S1=%2 SX=%3 S2=%4 SC1=%5 SCX=%6 SC2=%7 IG=%8 IC=%9")
                       .arg(column)
                       .arg(m.S1)
                       .arg(m.SX)
                       .arg(m.S2)
                       .arg(m.SC1)
                       .arg(m.SCX)
                       .arg(m.SC2)
                       .arg(m.IG)
                       .arg(m.IC);
    line += QStringLiteral(" SG=%1 SC=%2 PG=%3 PC=%4 FG=%5 FC=%6")
                .arg(m.SG)
                .arg(m.SC)
                .arg(m.PG)
                .arg(m.PC)
                .arg(m.FG)
                .arg(m.FC);
    if (!m.complete)
        line += QStringLiteral(" Comp=No");
    return line;
}

} // namespace

int runReduce(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    if (arguments.size() != 1) {
        printError(QStringLiteral("Indicare un solo Pronostico (.pro) !"));
        return ExitBadInput;
    }
    SystemPath path;
    if (!splitSystemPath(arguments.first(), path))
        return ExitBadInput;
    SystemDocument document;
    // The integral system is enumerated again from the prediction, so the column files are
    // not needed.
    if (!loadSystem(path, document, {.conditionsRequired = true, .columns = false}))
        return ExitBadInput;

    std::array<QString, 13> signs;
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        signs[i - 1] = document.signsOf(i);
        if (signs[i - 1].isEmpty()) {
            printError(QStringLiteral("Una o più caselle vuote ! (partita %1)").arg(i));
            return ExitBadInput;
        }
    }
    const qint32 integralCount = IntegralGenerator::integralCount(signs);
    if (integralCount == 0) {
        printError(QStringLiteral("Il Pronostico non prevede un Sistema Integrale !"));
        return ExitBadInput;
    }
    // Before the work, so that a folder that cannot exist is said at once.
    if (!prepareAppFolder(appFolder))
        return ExitBadInput;
    document.IntegralCount = integralCount;
    document.IntegralColumns = IntegralGenerator::generate(signs);
    document.countSigns();
    document.countKinds();

    PassPrinter printer;
    ReductionEngine::Result result =
        ReductionEngine::run(document.IntegralColumns, document.Conditions, document.EnableFlags,
                             document.Advanced, &printer);
    if (result.stoppedEmpty) {
        printError(QStringLiteral("Il Sistema Ridotto non prevede alcuna Colonna !"));
        return ExitEmptyReduction;
    }

    QString error;
    if (!ColumnDatabase::writeReducedColumns(appFolder, result.survivors, &error)) {
        printError(QStringLiteral("Impossibile scrivere il Sistema Ridotto ! (%1)").arg(error));
        return ExitBadInput;
    }
    document.ReducedCount = static_cast<qint32>(result.survivors.count());
    document.WorkColumns = std::move(result.survivors);
    document.MergedCount = 0;
    if (!SystemFiles::save(document, path.folder, &error)) {
        printError(QStringLiteral("Impossibile salvare il Pronostico ! (%1)").arg(error));
        return ExitBadInput;
    }
    return ExitOk;
}

int runMeasures(QStringList arguments)
{
    takeAppFolder(arguments);
    if (arguments.isEmpty()) {
        printError(QStringLiteral("Indicare almeno una Colonna !"));
        return ExitBadInput;
    }
    for (const QString& column : arguments) {
        if (!isColumnText(column)) {
            printError(QStringLiteral("Colonna non valida: '%1' (13 segni fra 1, X, 2 e -) !")
                           .arg(column));
            return ExitBadInput;
        }
    }
    for (const QString& column : arguments)
        printLine(measuresLine(column));
    return ExitOk;
}

} // namespace Cli
