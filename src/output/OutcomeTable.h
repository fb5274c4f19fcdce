#pragma once

#include "platform/ColumnBuffer.h"

class AdvancedConditions;
struct SystemDocument;

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// What a system guarantees: for every possible winning column, the points of the system's best
// column, counted over a set of winning columns. Exact over the whole 3^13 space, with no
// sampling.
namespace OutcomeTable {

// 3^13: every column the pool allows.
constexpr qint32 SpaceSize = 1594323;

// The column's place in the space: match 1 the lowest ternary digit, '1' = 0, 'X' = 1, '2' = 2.
// Nothing for a text that is not 13 signs.
std::optional<qint32> indexOf(QByteArrayView column);

// For every column of the space (by index), the errors of the nearest played column, 0..13.
// The Hamming distance is a sum over the matches, so one pass per match of "keep, or take a
// neighbour's value plus one" turns the sources into exact distances: the breadth-first search
// over columns one sign apart, done match by match over contiguous memory. Columns that are
// not signs are left out; with none played every entry stays above 13.
std::vector<quint8> nearestErrors(const ColumnBuffer& played);

// Index = points 0..13: how many winning columns leave the best played column with them.
struct Table {
    std::array<qint64, 14> byPoints{};
    qint64 total = 0;
};

// Over the columns of `winning` (texts of signs; others are skipped).
Table countOver(const std::vector<quint8>& errors, const ColumnBuffer& winning);
// Over all 3^13 columns.
Table countAll(const std::vector<quint8>& errors);

// The share of each sign on every match, each match's three adding up to 1.
using SignWeights = std::array<std::array<double, 3>, 13>;
// Index = points 0..13: the chance that the best played column makes exactly that many
// points, each outcome weighted by the product of its signs' shares.
std::array<double, 14> chances(const std::vector<quint8>& errors, const SignWeights& weights);

// The winning columns a table is counted over.
enum class Over {
    Integral,   // the columns of the prediction
    Conditions, // those of them that the system's conditions keep
    All,        // every column of the space
};
// "integral", "conditions", "all" as the command line writes them.
std::optional<Over> overOf(const QString& word);

// The columns a system plays: the reduced ones, else the integral ones.
const ColumnBuffer& playedColumns(const SystemDocument& document);

// The table of the system's played columns over `over`, the columns of the conditions being
// those a reduction with the advanced ones would keep; `errors` receives the distances so that
// chances can be read from them without a second search.
Table forSystem(const SystemDocument& document, const AdvancedConditions& advanced, Over over,
                std::vector<quint8>* errors = nullptr);

// One line per points, 13 down to 0: "POINTS COUNT PERCENT", then "Totale N".
QStringList lines(const Table& table);

// The sign values as shares of 1 (a value of 45 percent weighs 0.45); nothing without values.
std::optional<SignWeights> weightsOf(const AdvancedConditions& advanced);
// "Probabilità 13 P", "Probabilità 12 o più P", then 11 and 10: P in percent with four
// decimals.
QStringList chanceLines(const std::array<double, 14>& chances);

// count x 100 / total with two decimals and a full stop: "22.22"; "0.00" for an empty total.
QString percentText(qint64 count, qint64 total);

} // namespace OutcomeTable
