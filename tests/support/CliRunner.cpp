#include "support/CliRunner.h"

#include <QProcess>

QStringList CliRun::lines() const
{
    QStringList split = out.split(QLatin1Char('\n'));
    if (!split.isEmpty() && split.last().isEmpty())
        split.removeLast();
    return split;
}

CliRun runCli(const QStringList& arguments)
{
    return runProgram(QStringLiteral(QUADRIGO_CLI_PATH), arguments);
}

CliRun runProgram(const QString& program, const QStringList& arguments,
                  const QString& workingFolder)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
