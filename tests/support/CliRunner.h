#pragma once

#include <QString>
#include <QStringList>

// Runs the built quadrigo13-cli (or another program) and collects what it printed.
struct CliRun {
    int status = -1; // -1 when the tool did not finish normally
    QString out;
    QString err;

    // Standard output split into lines, without the empty one after the last line end.
    QStringList lines() const;
};

CliRun runCli(const QStringList& arguments);
// Runs `program` (a path) in `workingFolder`, the current one when empty.
CliRun runProgram(const QString& program, const QStringList& arguments,
                  const QString& workingFolder = {});
