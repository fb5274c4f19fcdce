#include "cli/CliSupport.h"

#include "platform/InstallLayout.h"
#include "platform/PdfPrinter.h"
#include "platform/PrintError.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"

#include "document/SystemFiles.h"
#include "platform/SafeFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace Cli {

void printError(const QString& message)
{
    QTextStream(stderr) << message << '\n';
}

void printLine(const QString& line)
{
    static QTextStream out(stdout);
    out << line << '\n';
    out.flush();
}

bool splitSystemPath(const QString& path, SystemPath& out)
{
    const QFileInfo file(path);
    if (!file.fileName().endsWith(QStringLiteral(".pro"), Qt::CaseInsensitive) ||
        file.fileName().size() <= 4) {
        printError(QStringLiteral("Il File '%1' non è un Pronostico (.pro) !").arg(path));
        return false;
    }
    out.file = path;
    out.folder = file.absolutePath();
    out.name = file.fileName().chopped(4);
    return true;
}

bool loadSystem(const SystemPath& path, SystemDocument& document, SystemFiles::LoadParts parts)
{
    // The message names the file the user asked for, not a name derived from it.
    if (!QFileInfo::exists(path.file)) {
        printError(QStringLiteral("Impossibile trovare il File '%1' !").arg(path.file));
        return false;
    }
    const SystemFiles::LoadResult result =
        SystemFiles::load(document, path.folder, path.name, parts);
    if (result.status == SystemFiles::LoadStatus::FileNotFound) {
        printError(QStringLiteral("Impossibile trovare il File '%1' !").arg(result.file));
        return false;
    }
    if (result.status == SystemFiles::LoadStatus::Malformed) {
        printError(result.message);
        return false;
    }
    const QString error = SystemFiles::predictionError(document);
    if (!error.isEmpty()) {
        printError(error);
        return false;
    }
    document.SystemName = path.name;
    return true;
}

QString takeAppFolder(QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--app-folder"));
    if (at >= 0 && at + 1 < arguments.size()) {
        const QString folder = arguments.at(at + 1);
        arguments.remove(at, 2);
        return folder;
    }
    return InstallLayout::defaultAppFolder(QCoreApplication::applicationDirPath());
}

bool prepareAppFolder(const QString& folder)
{
    QString error;
    if (SafeFile::makeFolder(folder, &error))
        return true;
    printError(error);
    return false;
}

int printToPdf(const QString& path, const QString& title,
               const std::function<void(PrintSurface&, ProgressReporter&)>& draw)
{
    PdfPrinter pdf(path, title);
    QString error;
    if (!pdf.isOpen(&error)) {
        printError(error);
        return ExitBadInput;
    }
    try {
        PrintSurface surface(pdf.backEnd());
        ProgressReporter progress;
        draw(surface, progress);
    } catch (const PrintError& failure) {
        printError(QStringLiteral("Errore ") + QString::number(failure.number) +
                   QStringLiteral(" (") + failure.description + QLatin1Char(')'));
        return ExitBadInput;
    }
    if (!pdf.finish(&error)) {
        printError(error);
        return ExitBadInput;
    }
    return ExitOk;
}

} // namespace Cli
