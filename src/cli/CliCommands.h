#pragma once

#include <QStringList>

// The subcommands of quadrigo13-cli; each takes the arguments after its name and returns the
// exit status.
namespace Cli {
int runGenerate(QStringList arguments);
int runInfo(QStringList arguments);
int runReduce(QStringList arguments);
int runConditions(QStringList arguments);
int runGuarantee(QStringList arguments);
int runMeasures(QStringList arguments);
int runMerge(QStringList arguments);
int runCheck(QStringList arguments);
int runList(QStringList arguments);
int runPrint(QStringList arguments);
int runResults(QStringList arguments);
int runArchive(QStringList arguments);
int runDictate(QStringList arguments);
int runStats(QStringList arguments);
int runExportText(QStringList arguments);
int runImportText(QStringList arguments);
int runOutcomes(QStringList arguments);
int runLive(QStringList arguments);
int runBacktest(QStringList arguments);
// The whole archive into a PDF file, for `print archive`.
int printArchive(const QString& appFolder, const QString& pdfPath);
} // namespace Cli
