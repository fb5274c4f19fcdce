#pragma once

#include "platform/ColumnBuffer.h"

#include <QString>

#include <array>
#include <atomic>
#include <functional>

// Chooses few columns to play so that every column of a system to protect lies within one
// (level 12) or two (level 11) errors of a played one, and checks such a choice independently.
namespace GuaranteeCover {

enum class Source {
    Protected, // played columns come from the protected columns themselves
    Integral,  // from the whole integral system of the prediction
};

struct Request {
    ColumnBuffer targets;          // the columns to protect, each within the prediction
    std::array<QString, 13> signs; // the prediction's signs of each match
    int level = 12;                // 12 or 11
    Source source = Source::Protected;
    int budgetMilliseconds = 10000; // for improving the first complete cover
    const std::atomic<bool>* stop = nullptr;
    // The size of the current cover, now and then while it shrinks.
    std::function<void(qsizetype)> progress;
};

struct Result {
    ColumnBuffer played; // in integral order
    bool stopped = false;
};

// Errors allowed for a guarantee level: 1 for 12, 2 for 11.
int radiusOf(int level);

// Always complete: a stop request ends the improvement, never the cover. Targets outside the
// prediction are covered from themselves.
Result build(const Request& request);

struct Check {
    // How many protected columns have their nearest played column at 0, 1, 2 errors, and
    // how many have none that near.
    std::array<qsizetype, 3> atDistance{};
    qsizetype farther = 0;
    // Whether every protected column is within the level's errors of a played one.
    bool covers(int level) const;
};

// Looks every protected column's neighbours up among the played columns, sharing nothing with
// the search.
Check verify(const ColumnBuffer& targets, const ColumnBuffer& played);

} // namespace GuaranteeCover
