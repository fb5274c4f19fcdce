#pragma once

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
