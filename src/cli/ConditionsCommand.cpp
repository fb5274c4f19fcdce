#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "conditions/AdvancedConditionsLogic.h"
#include "document/SystemFiles.h"

namespace Cli {

namespace {

const QString UsageText = QStringLiteral(
    "Uso: conditions PERCORSO.pro [--errors A-B] [--strict K,...] [--values FILE | --odds FILE] "
    "[--sum A-B] [--top N] [--reference COLONNA:A-B]... [--clear]");

bool isColumn(const QString& text)
{
    if (text.size() != AdvancedConditions::Matches)
        return false;
    for (QChar c : text) {
        if (c != QLatin1Char('1') && c != QLatin1Char('X') && c != QLatin1Char('2'))
            return false;
    }
    return true;
}

// The options applied to `advanced` in the order given; an Italian reason when one is wrong.
QString applyOptions(const QStringList& options, AdvancedConditions& advanced)
{
    bool referencesGiven = false;
    for (qsizetype i = 0; i < options.size(); ++i) {
        const QString& option = options[i];
        if (option == u"--clear") {
            advanced = {};
            continue;
        }
        if (i + 1 >= options.size())
            return QStringLiteral("Manca il valore di %1 !").arg(option);
        const QString value = options[++i];
        if (option == u"--errors") {
            const auto range =
                AdvancedConditionsLogic::parseWholeRange(value, AdvancedConditions::MaxErrors);
            if (!range)
                return QStringLiteral("Errori ammessi non validi: '%1' (da A a B, 0-%2) !")
                    .arg(value)
                    .arg(AdvancedConditions::MaxErrors);
            advanced.errorsFrom = range->first;
            advanced.errorsTo = range->second;
        } else if (option == u"--strict") {
            advanced.strict = {};
            for (const QString& kind : value.split(QLatin1Char(','))) {
                const QString k = kind.trimmed().toUpper();
                int index = -1;
                if (k == u"V")
                    index = AdvancedConditions::StrictValues;
                else if (k == u"R")
                    index = AdvancedConditions::StrictReferences;
                else if (k.size() == 1 && k[0] >= QLatin1Char('1') && k[0] <= QLatin1Char('7'))
                    index = k[0].unicode() - '1';
                if (index < 0)
                    return QStringLiteral("Condizione sempre rispettata non valida: '%1' "
                                          "(1-7, V, R) !")
                        .arg(kind);
                advanced.strict[index] = true;
            }
        } else if (option == u"--values" || option == u"--odds") {
            const AdvancedConditionsLogic::ValuesRead read =
                AdvancedConditionsLogic::readValuesFile(value, option == u"--odds");
            if (!read.values)
                return read.error;
            advanced.setValues(*read.values);
        } else if (option == u"--sum") {
            const auto range =
                AdvancedConditionsLogic::parseRange(value, 100.0 * AdvancedConditions::Matches);
            if (!range)
                return QStringLiteral("Somma non valida: '%1' (da A a B, 0-1300) !").arg(value);
            advanced.sum = *range;
        } else if (option == u"--top") {
            bool ok = false;
            const int top = value.toInt(&ok);
            if (!ok || top < 0 || top > ColumnBuffer::MaxCount)
                return QStringLiteral("Numero di colonne più probabili non valido: '%1' !")
                    .arg(value);
            advanced.topCount = top;
        } else if (option == u"--reference") {
            if (!referencesGiven)
                advanced.references.clear();
            referencesGiven = true;
            const qsizetype colon = value.indexOf(QLatin1Char(':'));
            const QString column = value.left(colon).toUpper();
            const auto points = colon < 0 ? std::nullopt
                                          : AdvancedConditionsLogic::parseWholeRange(
                                                value.mid(colon + 1), AdvancedConditions::Matches);
            if (!isColumn(column) || !points)
                return QStringLiteral("Colonna di riferimento non valida: '%1' "
                                      "(13 segni fra 1, X, 2, ':' e i punti da A a B) !")
                    .arg(value);
            if (advanced.references.size() == AdvancedConditions::MaxReferences)
                return QStringLiteral("Al massimo %1 colonne di riferimento !")
                    .arg(AdvancedConditions::MaxReferences);
            advanced.references.append({column.toLatin1(), points->first, points->second});
        } else {
            return QStringLiteral("Opzione sconosciuta: '%1' !").arg(option);
        }
    }
    if ((advanced.sum || advanced.topCount > 0) && !advanced.values())
        return QStringLiteral("La somma e le colonne più probabili richiedono i valori dei segni "
                              "(--values o --odds) !");
    return {};
}

} // namespace

int runConditions(QStringList arguments)
{
    takeAppFolder(arguments);
    if (arguments.isEmpty()) {
        printError(UsageText);
        return ExitUsage;
    }
    SystemPath path;
    SystemDocument document;
    if (!splitSystemPath(arguments.takeFirst(), path) || !loadSystem(path, document))
        return ExitBadInput;
    if (arguments.isEmpty()) {
        const QStringList lines = AdvancedConditionsLogic::summaryLines(document.Advanced);
        if (lines.isEmpty())
            printLine(QStringLiteral("Nessuna Condizione Avanzata"));
        for (const QString& line : lines)
            printLine(line);
        return ExitOk;
    }
    AdvancedConditions advanced = document.Advanced;
    const QString error = applyOptions(arguments, advanced);
    if (!error.isEmpty()) {
        printError(error);
        return ExitBadInput;
    }
    document.Advanced = advanced;
    QString problem;
    if (!SystemFiles::save(document, path.folder, &problem)) {
        printError(QStringLiteral("Impossibile salvare il Pronostico ! (%1)").arg(problem));
        return ExitBadInput;
    }
    return ExitOk;
}

} // namespace Cli
