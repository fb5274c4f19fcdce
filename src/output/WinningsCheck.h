#pragma once

#include "platform/ColumnBuffer.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

class ProgressReporter;

// Counts the columns of a system by points against the winning column, in the eight prize
// categories I (13 points) to VIII (6 points), all ticked categories in one pass.
namespace WinningsCheck {

constexpr int Categories = 8;

// Category k (1..8) holds the columns with exactly 14 - k points.
constexpr int pointsOf(int category)
{
    return 14 - category;
}

// "I" .. "VIII".
QString romanNumeral(int category);

// 13 characters, each '1', 'X', '2' or '-'.
bool isWinningColumn(QByteArrayView winning);

// Index k-1 says whether category k is counted.
using Ticked = std::array<bool, Categories>;
// Index k-1: the count of category k, or nothing when it was not ticked.
using Counts = std::array<std::optional<qint32>, Categories>;

// One pass over `columns`; the progress bar runs from 0 to the column count.
Counts count(const ColumnBuffer& columns, QByteArrayView winning, const Ticked& ticked,
             ProgressReporter* progress = nullptr);

// Whether an entered result is among the signs played on its match ("1X" and so on); an empty
// entry counts as found. A miss is shown bold and red beside the entry.
bool isPlayed(QStringView entered, QStringView playedSigns);

} // namespace WinningsCheck
