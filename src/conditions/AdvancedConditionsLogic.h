#pragma once

#include "document/AdvancedConditions.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

struct SystemDocument;

// What the window and the command line share about the advanced conditions: reading a file of
// values or odds, turning odds into values, the sum a prediction can reach, parsing typed ranges,
// and the lines that describe the conditions to the player.
namespace AdvancedConditionsLogic {

struct ValuesRead {
    std::optional<AdvancedConditions::SignValues> values;
    QString error; // Italian, when nothing was read
};

// 13 lines of three numbers separated by ';', each with a decimal point or comma; blank lines
// are skipped. `odds` asks for decimal odds (at least 1) turned into values, otherwise values in
// percent 0..100 are taken as they are.
ValuesRead parseValues(const QByteArray& text, bool odds);
// The same from a regular file of at most 64 KB.
ValuesRead readValuesFile(const QString& path, bool odds);

// Per match, p = (1/o) / Σ(1/o) × 100.
AdvancedConditions::SignValues valuesFromOdds(const AdvancedConditions::SignValues& odds);

// The matches (1-based) whose three values do not add up to 100 within a hundredth.
QList<int> matchesNotSummingTo100(const AdvancedConditions::SignValues& values);

// The lowest and highest value sum of a column of the prediction: per match the smallest and
// largest value among the signs played there (all three where none is).
AdvancedConditions::Range sumRangeOf(const AdvancedConditions::SignValues& values,
                                     const SystemDocument& document);

// "A-B" with whole numbers A <= B within 0..maximum.
std::optional<std::pair<int, int>> parseWholeRange(const QString& text, int maximum);
// "A-B" with decimal numbers (point or comma) A <= B within 0..maximum.
std::optional<AdvancedConditions::Range> parseRange(const QString& text, double maximum);
// A number with a decimal point or comma.
std::optional<double> parseNumber(QString text);

// A value in Italian form with two decimals: "33,33".
QString valueText(double value);
// A probability in percent with two decimals: "0,83 %".
QString percentText(double fraction);

// What the window's boxes hold, as typed.
struct FormTexts {
    QString errorsFrom, errorsTo;
    std::array<bool, AdvancedConditions::StrictFlags> strict{};
    // All empty: no values.
    std::array<std::array<QString, 3>, AdvancedConditions::Matches> values;
    // Both empty: no sum window.
    QString sumFrom, sumTo;
    // Empty or 0: all columns.
    QString top;
    // An empty column leaves its row unused.
    std::array<QString, AdvancedConditions::MaxReferences> referenceColumns, pointsFrom, pointsTo;
};

struct FormResult {
    std::optional<AdvancedConditions> conditions;
    QString error; // Italian, when the boxes cannot be taken
};

FormTexts formOf(const AdvancedConditions& advanced);
FormResult conditionsOf(const FormTexts& form);

// One line per advanced condition that is set; empty when none is.
QStringList summaryLines(const AdvancedConditions& advanced);

} // namespace AdvancedConditionsLogic
