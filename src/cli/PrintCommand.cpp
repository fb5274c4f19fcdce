#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliUsage.h"
#include "cli/ResultsFile.h"

#include "document/Options.h"
#include "output/SlipLayout.h"
#include "platform/ColumnDatabase.h"
#include "platform/NumberFormat.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "reports/ResultsPrintout.h"
#include "reports/SystemPrintout.h"

#include <QDir>

#include <limits>
#include <map>
#include <optional>

namespace Cli {

namespace {

const QString NotAllowed = QStringLiteral("Valore non consentito !");

// "--name value" or "--name=value" taken out of the arguments; the value may start with a minus.
// False when the option is given without a value.
bool takeOption(QStringList& arguments, const QString& name, std::optional<QString>& value)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == name) {
            if (i + 1 >= arguments.size())
                return false;
            value = arguments.at(i + 1);
            arguments.remove(i, 2);
            return true;
        }
        if (argument.startsWith(name + QLatin1Char('='))) {
            value = argument.mid(name.size() + 1);
            arguments.remove(i);
            return true;
        }
    }
    return true;
}

struct SlipOptions {
    std::optional<QString> from, to, vertical, horizontal, dot;
    bool merged = false;
};

// The calibration of DefPrnV.sys, or the one given on the command line.
bool calibrationOf(const SlipOptions& options, const QString& appFolder,
                   SlipCalibration& calibration)
{
    calibration = SlipCalibration::read(QDir(appFolder).filePath(SlipCalibration::fileName()));
    if (!options.vertical && !options.horizontal && !options.dot)
        return true;
    const auto offset = [](const std::optional<QString>& text) {
        return NumberFormat::numberWithin(text.value_or(QStringLiteral("0")),
                                          -SlipCalibration::OffsetLimit,
                                          SlipCalibration::OffsetLimit);
    };
    const auto vertical = offset(options.vertical);
    const auto horizontal = offset(options.horizontal);
    // Any finite size first, so that one too large gets its own message.
    const auto dot = NumberFormat::numberWithin(options.dot.value_or(QStringLiteral("1.6")), 0,
                                                std::numeric_limits<double>::max());
    if (!vertical || !horizontal || !dot || *dot == 0) {
        printError(NotAllowed);
        return false;
    }
    if (*dot > SlipCalibration::MaximumDot) {
        printError(QStringLiteral("Valore Diametro Massimo = 2,5 mm !"));
        return false;
    }
    calibration = {*vertical, *horizontal, *dot};
    return true;
}

enum class What { Code, Merged, MergedProspect, Slips, SlipTest, SlipTestFull, Results };

struct Request {
    What what;
    QString code;
};

const std::map<QString, Request>& requests()
{
    static const std::map<QString, Request> table = {
        {QStringLiteral("prospect"), {What::Code, QStringLiteral("StPr")}},
        {QStringLiteral("prospect-reduced"), {What::Code, QStringLiteral("SPCR")}},
        {QStringLiteral("prospect-integral"), {What::Code, QStringLiteral("SPCI")}},
        {QStringLiteral("reduced"), {What::Code, QStringLiteral("VCCR")}},
        {QStringLiteral("integral"), {What::Code, QStringLiteral("VCCI")}},
        {QStringLiteral("merged"), {What::Merged, {}}},
        {QStringLiteral("merged-prospect"), {What::MergedProspect, {}}},
        {QStringLiteral("slips"), {What::Slips, {}}},
        {QStringLiteral("slip-test"), {What::SlipTest, {}}},
        {QStringLiteral("slip-test-full"), {What::SlipTestFull, {}}},
        {QStringLiteral("results"), {What::Results, {}}},
        // The properties view prints the prospect alone.
        {QStringLiteral("properties"), {What::Code, QStringLiteral("StPr")}},
    };
    return table;
}

// Whether the system the request prints has been built; the reason printed when not.
bool hasColumns(const Request& request, const SystemDocument& document)
{
    const bool integral =
        request.code == QLatin1String("SPCI") || request.code == QLatin1String("VCCI");
    const bool reduced = request.code == QLatin1String("SPCR") ||
                         request.code == QLatin1String("VCCR") || request.what == What::Slips;
    if (integral && (document.IntegralCount < 1 || document.IntegralColumns.isEmpty())) {
        printError(QStringLiteral("Il Sistema Integrale non è stato ancora generato !"));
        return false;
    }
    if (reduced && (document.ReducedCount < 1 || document.WorkColumns.isEmpty())) {
        printError(QStringLiteral("Il Sistema Ridotto non è stato ancora elaborato !"));
        return false;
    }
    return true;
}

} // namespace

int runPrint(QStringList arguments)
{
    const QString appFolder = takeAppFolder(arguments);
    std::optional<QString> pdfPath;
    SlipOptions slip;
    const bool complete = takeOption(arguments, QStringLiteral("--pdf"), pdfPath) &&
                          takeOption(arguments, QStringLiteral("--from"), slip.from) &&
                          takeOption(arguments, QStringLiteral("--to"), slip.to) &&
                          takeOption(arguments, QStringLiteral("--vertical"), slip.vertical) &&
                          takeOption(arguments, QStringLiteral("--horizontal"), slip.horizontal) &&
                          takeOption(arguments, QStringLiteral("--dot"), slip.dot);
    slip.merged = arguments.removeAll(QStringLiteral("--merged")) > 0;
    if (complete && pdfPath && !pdfPath->isEmpty() && arguments == QStringList{"archive"} &&
        !slip.from && !slip.to && !slip.vertical && !slip.horizontal && !slip.dot && !slip.merged)
        return printArchive(appFolder, *pdfPath);
    if (!complete || !pdfPath || pdfPath->isEmpty() || arguments.size() != 2 ||
        !requests().contains(arguments.first())) {
        printError(usageOf(QStringLiteral("print")));
        return ExitBadInput;
    }
    const Request request = requests().at(arguments.first());
    const bool slips = request.what == What::Slips;
    const bool slipTest = request.what == What::SlipTest || request.what == What::SlipTestFull;
    const bool calibrated = slips || slipTest;
    if ((!slips && (slip.from || slip.to || slip.merged)) ||
        (!calibrated && (slip.vertical || slip.horizontal || slip.dot))) {
        printError(usageOf(QStringLiteral("print")));
        return ExitBadInput;
    }

    SystemPath path;
    SystemDocument document;
    if (!splitSystemPath(arguments.at(1), path) || !loadSystem(path, document) ||
        !hasColumns(request, document))
        return ExitBadInput;
    Options options;
    options.read(QDir(appFolder).filePath(Options::fileName()), QString());

    // A merged system prints and counts its merged rows, as the program's windows do: those of
    // the last merge when asked for, those of a system saved merged while they are there.
    const bool mergedAsked = request.what == What::Merged || request.what == What::MergedProspect ||
                             (slips && slip.merged);
    MergedColumns merged;
    QString mergedError;
    const bool useMerged = (mergedAsked || document.MergedCount >= 1) &&
                           ColumnDatabase::readMergedRows(appFolder, merged, &mergedError) &&
                           !merged.isEmpty();
    if (mergedAsked && !useMerged) {
        printError(QStringLiteral("Le Colonne Accorpate non sono disponibili !"));
        return ExitBadInput;
    }
    document.MergedCount = useMerged ? qint32(merged.count()) : 0;
    const SlipLayout::SlipSource slipSource =
        useMerged ? SlipLayout::SlipSource(merged)
                  : SlipLayout::SlipSource(document.WorkColumns, document.ReducedCount);
    document.SlipCount = double(SlipLayout::slipCount(slipSource.count()));

    ResultsLogic::Fields results;
    if (request.what == What::Results &&
        !loadResults(ResultsLogic::filePath(path.folder, path.name), results))
        return ExitBadInput;

    SlipCalibration calibration;
    if (calibrated && !calibrationOf(slip, appFolder, calibration))
        return ExitBadInput;
    qsizetype from = 1, to = SlipLayout::slipCount(slipSource.count());
    if (slips) {
        const auto first =
            NumberFormat::wholeWithin(slip.from.value_or(QString::number(from)), 1, to);
        const auto last = NumberFormat::wholeWithin(slip.to.value_or(QString::number(to)), 1, to);
        if (!first || !last || *first > *last) {
            printError(NotAllowed);
            return ExitBadInput;
        }
        from = qsizetype(*first);
        to = qsizetype(*last);
    }

    return printToPdf(
        *pdfPath, document.SystemName, [&](PrintSurface& surface, ProgressReporter& progress) {
            const SystemPrintout::Context context{document, options.columnCost(), QLocale()};
            switch (request.what) {
            case What::Code:
                SystemPrintout::PrintSystem(surface, context, request.code, progress);
                break;
            case What::Merged:
            case What::MergedProspect:
                SystemPrintout::PrintMergedColumns(surface, context, merged,
                                                   request.what == What::MergedProspect, progress);
                break;
            case What::Slips:
                SlipLayout::prepare(surface);
                SlipLayout::printSlips(surface, calibration, slipSource, from, to,
                                       options.columnCost(), progress);
                break;
            case What::Results:
                ResultsPrintout::PrintResults(surface, document, results);
                break;
            case What::SlipTest:
            case What::SlipTestFull:
                SlipLayout::prepare(surface);
                if (request.what == What::SlipTest)
                    SlipLayout::printTest(surface, calibration);
                else
                    SlipLayout::printAdvancedTest(surface, calibration);
                break;
            }
        });
}

} // namespace Cli
