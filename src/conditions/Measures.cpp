#include "conditions/Measures.h"

#include <algorithm>

namespace Measures {

namespace {

constexpr std::array<PositionPair, 12> InterruptionPairs = {{{1, 2},
                                                             {2, 3},
                                                             {3, 4},
                                                             {4, 5},
                                                             {5, 6},
                                                             {6, 7},
                                                             {7, 8},
                                                             {8, 9},
                                                             {9, 10},
                                                             {10, 11},
                                                             {11, 12},
                                                             {12, 13}}};
constexpr std::array<PositionPair, 6> SymmetryPairs = {
    {{1, 13}, {2, 12}, {3, 11}, {4, 10}, {5, 9}, {6, 8}}};
constexpr std::array<PositionPair, 6> ParallelPairs = {
    {{1, 8}, {2, 9}, {3, 10}, {4, 11}, {5, 12}, {6, 13}}};
constexpr std::array<PositionPair, 11> Step3Pairs = {
    {{1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 8}, {7, 9}, {8, 10}, {9, 11}, {10, 12}, {11, 13}}};

constexpr std::array<char, 3> Signs = {'1', 'X', '2'};

} // namespace

std::array<int, 3> signCounts(QByteArrayView column)
{
    std::array<int, 3> counts{};
    for (char c : column) {
        for (std::size_t s = 0; s < Signs.size(); ++s) {
            if (c == Signs[s])
                ++counts[s];
        }
    }
    return counts;
}

std::array<int, 3> longestRuns(QByteArrayView column)
{
    std::array<int, 3> runs{};
    for (std::size_t s = 0; s < Signs.size(); ++s) {
        int current = 0;
        for (char c : column) {
            current = c == Signs[s] ? current + 1 : 0;
            runs[s] = std::max(runs[s], current);
        }
    }
    return runs;
}

PairHits pairHits(QByteArrayView column, std::span<const PositionPair> pairs, PairTest test)
{
    PairHits hits;
    int current = 0;
    for (const auto& [a, b] : pairs) {
        const bool equal = column[a - 1] == column[b - 1];
        if (equal == (test == PairTest::Equal)) {
            ++hits.count;
            ++current;
        } else {
            hits.streak = std::max(hits.streak, current);
            current = 0;
        }
    }
    hits.streak = std::max(hits.streak, current);
    return hits;
}

std::span<const PositionPair> interruptionPairs()
{
    return InterruptionPairs;
}

std::span<const PositionPair> symmetryPairs()
{
    return SymmetryPairs;
}

std::span<const PositionPair> parallelPairs()
{
    return ParallelPairs;
}

std::span<const PositionPair> step3Pairs()
{
    return Step3Pairs;
}

ColumnMeasures measure(QByteArrayView column)
{
    ColumnMeasures m;
    const auto counts = signCounts(column);
    const auto runs = longestRuns(column);
    m.S1 = counts[0];
    m.SX = counts[1];
    m.S2 = counts[2];
    m.SC1 = runs[0];
    m.SCX = runs[1];
    m.SC2 = runs[2];
    const PairHits interruptions = pairHits(column, InterruptionPairs, PairTest::Different);
    const PairHits symmetries = pairHits(column, SymmetryPairs, PairTest::Equal);
    const PairHits parallels = pairHits(column, ParallelPairs, PairTest::Equal);
    const PairHits step3 = pairHits(column, Step3Pairs, PairTest::Equal);
    m.IG = interruptions.count;
    m.IC = interruptions.streak;
    m.SG = symmetries.count;
    m.SC = symmetries.streak;
    m.PG = parallels.count;
    m.PC = parallels.streak;
    m.FG = step3.count;
    m.FC = step3.streak;
    m.complete = !column.contains('-');
    return m;
}

} // namespace Measures
