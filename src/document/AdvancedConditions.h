#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>
#include <QVariantList>

#include <array>
#include <optional>

class ColumnBuffer;

// The conditions beyond the bounds of the condition set: a tolerance of errors over the rules,
// a value per sign of each match (with a window on their sum and the most probable columns), and
// reference columns. The default object sets nothing, and a system without any of them reduces
// exactly as before they existed.
class AdvancedConditions {
public:
    static constexpr int Matches = 13;
    static constexpr int MaxReferences = 10;
    // The strict flags: the seven kinds of condition in the order of their enable flags, then
    // the value sum, then the reference columns.
    static constexpr int StrictFlags = 9;
    static constexpr int StrictValues = 7;
    static constexpr int StrictReferences = 8;
    // No column breaks more rules than this.
    static constexpr int MaxErrors = 32;

    // Per match, the values of '1', 'X', '2' in percent.
    using SignValues = std::array<std::array<double, 3>, Matches>;

    struct Range {
        double from = 0;
        double to = 0;
        friend bool operator==(const Range&, const Range&) = default;
    };

    struct Reference {
        QByteArray column; // 13 signs of '1', 'X', '2'
        int pointsFrom = 0;
        int pointsTo = Matches;
        friend bool operator==(const Reference&, const Reference&) = default;
    };

    // Errors admitted from A to B.
    int errorsFrom = 0;
    int errorsTo = 0;
    std::array<bool, StrictFlags> strict{};
    // The value sum window, in percent; unset when absent.
    std::optional<Range> sum;
    // Only the N most probable columns; 0 leaves the count alone.
    int topCount = 0;
    QList<Reference> references;

    // Unset until the player gives values.
    const std::optional<SignValues>& values() const { return m_values; }
    // Values count to the hundredth of a percent: they are rounded here, so that sums and
    // products come out the same whoever computes them.
    void setValues(const SignValues& values);
    void clearValues() { m_values.reset(); }

    // Whether any advanced condition is set (anything differs from a default object).
    bool isSet() const;
    // Whether the reduction has to go beyond the per-kind passes: a tolerance other than 0..0,
    // a sum window, a reference column or the most probable columns.
    bool changesReduction() const;

    // The value of `sign` ('1', 'X', '2') at match `match` (0..12); 0 for any other sign or
    // without values.
    double valueOf(int match, char sign) const;
    // The value of a match rounded as every computation uses it, in hundredths of a percent.
    static qint64 hundredths(double percent);

    // The values of the system file, one per line: errors from, to; the strict flags as nine
    // '0'/'1'; whether values are set, then the 39 values (match by match, 1 X 2); whether the sum
    // window is set, its bounds; the N most probable; the number of reference columns, then ten
    // times the column ("" when unused) and its points from, to.
    static constexpr int FileValues = 78;
    QVariantList toList() const;
    // Nothing when the values are not what toList writes: whole numbers where whole numbers
    // belong, values 0..100, ranges in order, columns of 13 signs.
    static std::optional<AdvancedConditions> fromList(const QVariantList& values);

    // The sum of a column's 13 values in percent (a sign other than '1', 'X', '2' adds 0); 0
    // without values.
    double valueSum(QByteArrayView column) const;
    // The product of a column's 13 values each divided by 100 (a sign other than '1', 'X', '2'
    // leaves it alone); 0 without values.
    double probability(QByteArrayView column) const;
    // The chance that one of `columns` makes 13: the sum of their probabilities.
    double chanceOf13(const ColumnBuffer& columns) const;
    // "Probabilità del 13: 0,83 %" for those columns; empty without values.
    QString chanceText(const ColumnBuffer& columns) const;

    // One line per advanced condition that is set, in Italian; empty when none is.
    QStringList summaryLines() const;
    // A value in Italian form with two decimals: "33,33".
    static QString valueText(double value);

    friend bool operator==(const AdvancedConditions&, const AdvancedConditions&) = default;

private:
    std::optional<SignValues> m_values;
};
