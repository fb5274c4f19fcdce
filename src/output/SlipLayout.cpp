#include "output/SlipLayout.h"

#include "platform/NumberFormat.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"

#include <algorithm>

namespace SlipLayout {

qsizetype slipCount(qsizetype columns)
{
    return qsizetype(double(columns) / 4 + 0.9);
}

bool slipEndsAfter(qsizetype i, int j, qsizetype columns)
{
    return j == 4 || i == columns || (columns % 4 == 1 && columns > 1 && i == columns - 2);
}

QString slipText(qsizetype number, double price)
{
    // The price is worked in single precision, as the slip always was: 0.3 × 3 is 0.9.
    const double shown = QString::number(price, 'g', 7).toDouble();
    return QStringLiteral("N.") + NumberFormat::Str(double(number)) +
           QStringLiteral("  -  \u20ac") + NumberFormat::Str(shown);
}

SlipSource::SlipSource(const ColumnBuffer& columns, qsizetype count)
    : m_columns(&columns)
    , m_count(std::min(count, columns.count()))
{}

SlipSource::SlipSource(const MergedColumns& rows)
    : m_rows(&rows)
    , m_count(rows.count())
{}

quint8 SlipSource::play(qsizetype index, int match) const
{
    if (m_rows)
        return m_rows->mask(index, match);
    return MergedColumns::maskOf(m_columns->columnData(index)[match]);
}

void prepare(PrintSurface& surface)
{
    surface.setScaleMode(PrintSurface::Millimetres);
    surface.DrawWidth = 20;
    surface.DrawStyle = 6;
    surface.FillStyle = 0;
}

void restore(PrintSurface& surface)
{
    surface.setScaleMode(PrintSurface::Twips);
    surface.DrawWidth = 1;
    surface.DrawStyle = 0;
    surface.FillStyle = 1;
    surface.Font.Size = 8.16;
}

void printText(PrintSurface& surface, const SlipCalibration& calibration, const QString& text)
{
    surface.Font = {QStringLiteral("Courier New"), 9, false, false};
    surface.CurrentY = calibration.vertical + TextY;
    // The text beside the grid stops at the paper's edge rather than being cut by it.
    surface.CurrentX = std::max(0.0, calibration.horizontal + TextX);
    surface.printLine(text);
}

void printDot(PrintSurface& surface, const SlipCalibration& calibration, double x, double y)
{
    surface.circle(calibration.horizontal + x, calibration.vertical + y, calibration.dot / 2,
                   QColor(0, 0, 0));
}

void printTest(PrintSurface& surface, const SlipCalibration& calibration)
{
    printText(surface, calibration, QStringLiteral("Test Punti di Stampa"));
    for (const double y : {78.3, 129.3}) {
        printDot(surface, calibration, MatchX.front(), y);
        printDot(surface, calibration, MatchX.back(), y);
    }
    surface.EndDoc();
}

void printAdvancedTest(PrintSurface& surface, const SlipCalibration& calibration)
{
    printText(surface, calibration, QStringLiteral("Test Punti di Stampa (Avanzato)"));
    double y = 78.3;
    for (int row = 1; row <= 12; ++row) {
        for (const double x : MatchX)
            printDot(surface, calibration, x, y);
        y += row % 3 == 0 ? 5.0 : 4.5;
    }
    surface.EndDoc();
}

void printSlips(PrintSurface& surface, const SlipCalibration& calibration, const SlipSource& source,
                qsizetype from, qsizetype to, double columnCost, ProgressReporter& progress)
{
    const qsizetype columns = source.count();
    progress.setRange(0, int(columns));
    qsizetype slip = 1;
    int j = 1;
    for (qsizetype i = 1; i <= columns && slip <= to; ++i) {
        progress.setValue(int(i));
        const bool inRange = from <= slip && slip <= to;
        if (inRange) {
            for (int m = 0; m < MergedColumns::Width; ++m) {
                const quint8 play = source.play(i - 1, m);
                for (const quint8 sign :
                     {MergedColumns::One, MergedColumns::Draw, MergedColumns::Two}) {
                    if (play & sign)
                        printDot(surface, calibration, MatchX[m], baseLine(j) - signOffset(sign));
                }
            }
        }
        if (slipEndsAfter(i, j, columns)) {
            if (inRange) {
                printText(surface, calibration, slipText(slip, columnCost * j));
                surface.EndDoc();
            }
            ++slip;
            j = 1;
        } else {
            ++j;
        }
    }
}

} // namespace SlipLayout
