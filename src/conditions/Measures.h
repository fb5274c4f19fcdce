#pragma once

#include <QByteArrayView>

#include <array>
#include <span>
#include <utility>

// The fourteen measures of a column, defined once for the reduction engine, the export and the
// archive. A column may also hold '-' (a match without result): it counts as no sign, breaks
// every run, differs from every sign, and equals another '-'.
struct ColumnMeasures {
    int S1 = 0, SX = 0, S2 = 0;
    int SC1 = 0, SCX = 0, SC2 = 0;
    int IG = 0, IC = 0;
    int SG = 0, SC = 0;
    int PG = 0, PC = 0;
    int FG = 0, FC = 0;
    bool complete = true; // no '-'

    friend bool operator==(const ColumnMeasures&, const ColumnMeasures&) = default;
};

namespace Measures {

using PositionPair = std::pair<int, int>; // 1-based positions

struct PairHits {
    int count = 0;
    int streak = 0; // longest run of consecutive hits, in the order of the pairs
};

enum class PairTest { Different, Equal };

// Occurrences of '1', 'X', '2'.
std::array<int, 3> signCounts(QByteArrayView column);
// Longest run of adjacent '1', 'X', '2'; 0 for a sign that does not occur.
std::array<int, 3> longestRuns(QByteArrayView column);
// Counts the pairs that hit, and the longest streak of consecutive hits.
PairHits pairHits(QByteArrayView column, std::span<const PositionPair> pairs, PairTest test);

// (k, k+1), k = 1..12: hit when different.
std::span<const PositionPair> interruptionPairs();
// (k, 14-k), k = 1..6, outermost first: hit when equal.
std::span<const PositionPair> symmetryPairs();
// (k, k+7), k = 1..6: hit when equal.
std::span<const PositionPair> parallelPairs();
// (k, k+2), k = 1..11: hit when equal.
std::span<const PositionPair> step3Pairs();

ColumnMeasures measure(QByteArrayView column);

} // namespace Measures
