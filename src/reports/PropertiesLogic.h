#pragma once

#include <QLocale>
#include <QString>

#include <array>

struct SystemDocument;

// The texts of the system properties view: the prediction, the integral and the reduced system
// with the enabled conditions' limits, and the excluded sequences. Each frame is columns of
// titles and values whose rows are separated by line ends, so each title column lines up with
// its value column.
namespace PropertiesLogic {

constexpr int Matches = 13;
constexpr int Columns = 3;

struct Texts {
    std::array<QString, Matches> home;  // " " and the home team
    std::array<QString, Matches> away;  // " " and the away team
    std::array<QString, Matches> signs; // " " and the signs played
    std::array<QString, Columns> integralTitles;
    std::array<QString, Columns> integralValues;
    std::array<QString, Columns> reducedTitles;
    std::array<QString, Columns> reducedValues;
    QString sequences;
    // The advanced conditions that are set and, with values, the chance of a 13 of the played
    // columns (the reduced system, else the integral one), one a line; empty without them.
    QString advanced;
};

Texts textsOf(const SystemDocument& document, double columnCost, const QLocale& locale = QLocale());

} // namespace PropertiesLogic
