#pragma once

#include "platform/UserPrompts.h"

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

// Runs `work` `runs` times and returns the median wall time in milliseconds.
inline double medianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void report(const QString& what, double milliseconds)
{
    QTextStream(stdout) << QStringLiteral("%1: %2 ms").arg(what, -60).arg(milliseconds, 0, 'f', 2)
                        << Qt::endl;
}

// Answers every question with its default, for windows timed without a user.
struct SilentPrompts final : UserPrompts {
    MessageAnswer message(const MessageRequest&) override { return MessageAnswer::Ok; }
    std::optional<QString> input(const InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    bool printerSetup() override { return false; }
    std::optional<PrintChoice> choosePrinter(const QString&) override { return std::nullopt; }
};
