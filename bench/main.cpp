#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/MemoryTuning.h"

void benchDocument(const QString& cliPath);
void benchEngine();
void benchOutput();

// Timings of the heavy operations, as medians of several runs. Pass the path of
// quadrigo13-cli to time the tool as well (default: beside this program's build folder).
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    MemoryTuning::keepLargeBlocksMapped();
    QString cli = app.arguments().value(1);
    if (cli.isEmpty()) {
        const QString guess =
            QDir(app.applicationDirPath()).filePath(QStringLiteral("../src/quadrigo13-cli"));
        if (QFileInfo::exists(guess))
            cli = guess;
    }
    benchDocument(cli);
    benchEngine();
    benchOutput();
    return 0;
}
