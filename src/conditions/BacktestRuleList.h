#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

class ConditionSet;

// The rules of a system's conditions as the check on past winning columns tries them, one by
// one and as a whole.
struct BacktestRuleList {
    QStringList names; // "S1", "SX", ... "SEQ2", in the order they are reported
    // Bit i set when the column breaks rule i.
    std::function<quint64(QByteArrayView column)> broken;
    // Whether the whole set of conditions keeps the column.
    std::function<bool(QByteArrayView column)> keeps;

    // The rules in force of `conditions` with the kinds `enableFlags` switches on: the bounds
    // of each measure (S1 .. FC) and each active excluded sequence (SEQ1 .. SEQ7, by row); a
    // column is kept when it breaks none.
    static BacktestRuleList fromConditions(const ConditionSet& conditions,
                                           const QString& enableFlags);
};
