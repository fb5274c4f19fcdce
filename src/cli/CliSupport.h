#pragma once

#include "document/SystemDocument.h"
#include "document/SystemFiles.h"

#include <QString>
#include <QStringList>

#include <functional>

class PrintSurface;
class ProgressReporter;

// What the subcommands of quadrigo13-cli share: reading a system named by its .pro path,
// the application folder option, and Italian error reporting.
namespace Cli {

constexpr int ExitOk = 0;
constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

struct SystemPath {
    QString file; // as the user gave it
    QString folder;
    QString name;
};

// Splits "dir/NAME.pro" into folder and name; false (with a message on stderr) when the path
// does not end in .pro.
bool splitSystemPath(const QString& path, SystemPath& out);

// Loads a saved system; prints the Italian reason on stderr and returns false on failure.
bool loadSystem(const SystemPath& path, SystemDocument& document,
                SystemFiles::LoadParts parts = {});

// Removes "--app-folder DIR" from the arguments; the default is the program's folder, or,
// installed, the per-user folder the windows use.
QString takeAppFolder(QStringList& arguments);
// Creates the application folder when missing; false (with the reason on stderr) when it cannot.
bool prepareAppFolder(const QString& folder);

// Draws a printout into the PDF file `path`, which appears only when the whole printout is
// written; a failure is reported as "Errore N (description)". Returns the exit status.
int printToPdf(const QString& path, const QString& title,
               const std::function<void(PrintSurface&, ProgressReporter&)>& draw);

void printError(const QString& message);
void printLine(const QString& line);

} // namespace Cli
