#pragma once

#include "output/SlipCalibration.h"
#include "platform/ColumnBuffer.h"
#include "platform/MergedColumns.h"

#include <QString>

#include <array>

class PrintSurface;
class ProgressReporter;

// The betting slip as the printer sees it, in millimetres from the top left corner of the
// printable area: thirteen match positions across, four columns of three sign rows each from
// the bottom up, a dot in every box played and the slip's number and price beside the grid.
namespace SlipLayout {

inline constexpr std::array<double, 13> MatchX = {31.1,  35.45, 39.8, 44.2,  48.55, 52.9, 57.3,
                                                  61.65, 66.0,  70.4, 74.75, 79.1,  83.45};
inline constexpr double TextX = 19.1;
inline constexpr double TextY = 71.1;

// Base line (the row of sign 1) of slip column `j` (1 = bottom .. 4 = top).
constexpr double baseLine(int j)
{
    return 129.3 - 14.0 * (j - 1);
}
// How far above the base line a sign's box is: 1 on it, X 4.5 above, 2 9.0 above.
constexpr double signOffset(quint8 signMask)
{
    return signMask == MergedColumns::Draw ? 4.5 : signMask == MergedColumns::Two ? 9.0 : 0.0;
}

// Int(C / 4 + 0.9): four columns to a slip, the last two slips sharing five columns.
qsizetype slipCount(qsizetype columns);
// Whether the slip ends after column `i` (1-based) placed at position `j` of C columns.
bool slipEndsAfter(qsizetype i, int j, qsizetype columns);

// "N. 3  -  € 2.5".
QString slipText(qsizetype number, double price);

// The columns a run prints: the reduced columns, or the merged rows when there are any.
class SlipSource {
public:
    explicit SlipSource(const ColumnBuffer& columns, qsizetype count);
    explicit SlipSource(const MergedColumns& rows);
    qsizetype count() const { return m_count; }
    // The signs played on `match` of column `index` (0-based) as a mask of 1, X, 2.
    quint8 play(qsizetype index, int match) const;

private:
    const ColumnBuffer* m_columns = nullptr;
    const MergedColumns* m_rows = nullptr;
    qsizetype m_count = 0;
};

// The printer settings of slip printing: millimetres and solid, filled dots; and back.
void prepare(PrintSurface& surface);
void restore(PrintSurface& surface);

// The text at the slip's text position, in Courier New 9.
void printText(PrintSurface& surface, const SlipCalibration& calibration, const QString& text);
// A dot centred on (S + x, A + y).
void printDot(PrintSurface& surface, const SlipCalibration& calibration, double x, double y);

// The four corner boxes, one document.
void printTest(PrintSurface& surface, const SlipCalibration& calibration);
// All 156 boxes, one document.
void printAdvancedTest(PrintSurface& surface, const SlipCalibration& calibration);

// Slips `from` to `to` (1-based, of the whole system's numbering), one document each; the
// progress follows the columns.
void printSlips(PrintSurface& surface, const SlipCalibration& calibration, const SlipSource& source,
                qsizetype from, qsizetype to, double columnCost, ProgressReporter& progress);

} // namespace SlipLayout
