#include "support/DiskFaults.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <sys/wait.h>
#include <unistd.h>

namespace DiskFaults {

QList<Step> stepsOf(const std::function<void()>& operation)
{
    QList<Step> steps;
    WriteFaults::install([&](Step step) {
        steps << step;
        return 0;
    });
    const auto reset = qScopeGuard([] { WriteFaults::install({}); });
    operation();
    return steps;
}

bool failingAt(int failing, int code, const std::function<bool()>& operation)
{
    int seen = 0;
    WriteFaults::install([&](Step) { return ++seen == failing ? code : 0; });
    const auto reset = qScopeGuard([] { WriteFaults::install({}); });
    return operation();
}

bool crashingAt(int stop, const std::function<void()>& operation)
{
    const pid_t child = ::fork();
    if (child == 0) {
        int seen = 0;
        WriteFaults::install([&](Step) {
            if (++seen == stop)
                ::_exit(0);
            return 0;
        });
        operation();
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
}

QByteArray folderSnapshot(const QString& folder)
{
    QByteArray snapshot;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(folder).filePath(name));
        snapshot += name.toUtf8() + '\n';
        if (file.open(QIODevice::ReadOnly))
            snapshot += file.readAll() + '\n';
    }
    return snapshot;
}

} // namespace DiskFaults
