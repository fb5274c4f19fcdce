#include "output/Merger.h"

#include "output/ColumnCompare.h"
#include "platform/ColumnDatabase.h"
#include "platform/NumberFormat.h"
#include "platform/ProgressReporter.h"

#include <bit>

namespace Merger {

namespace {

// Progress is shown about two hundred times per scan: often enough to move smoothly, rarely
// enough to cost nothing beside the scan.
qsizetype progressStep(qsizetype count)
{
    return std::max<qsizetype>(1, count / 200);
}

} // namespace

MergedColumns merge(const ColumnBuffer& columns, ProgressReporter* progress)
{
    const qsizetype count = columns.count();
    const qsizetype step = progressStep(count);
    if (progress)
        progress->setRange(0, static_cast<int>(count));
    // Rows are written straight into one buffer sized for the worst case (no pair at all) and
    // cut to length at the end: growing a container row by row costs more than the scan.
    QByteArray masks(count * MergedColumns::Width, Qt::Uninitialized);
    char* row = masks.data();
    qsizetype i = 0;
    qsizetype nextReport = 0;
    while (i + 1 < count) {
        if (progress && i >= nextReport) {
            progress->setValue(static_cast<int>(i + 1));
            nextReport = i + step;
        }
        const char* current = columns.columnData(i);
        const quint32 differing =
            ~ColumnCompare::equalMatches(ColumnCompare::load(columns, i),
                                         ColumnCompare::load(columns, i + 1)) &
            ColumnCompare::AllMatches;
        MergedColumns::writeMasks(row, current);
        // Exactly one bit set (without a library call for popcount on plain x86-64).
        if (differing != 0 && (differing & (differing - 1)) == 0) {
            const int match = std::countr_zero(differing);
            row[match] = static_cast<char>(row[match] |
                                           MergedColumns::maskOf(columns.columnData(i + 1)[match]));
            i += 2;
        } else {
            i += 1;
        }
        row += MergedColumns::Width;
    }
    if (i == count - 1) {
        MergedColumns::writeMasks(row, columns.columnData(i));
        row += MergedColumns::Width;
    }
    masks.resize(row - masks.constData());
    return MergedColumns(std::move(masks));
}

bool mergeAndStore(const QString& appFolder, const ColumnBuffer& columns, MergedColumns& rows,
                   QString* error, ProgressReporter* progress)
{
    rows = merge(columns, progress);
    const bool stored = ColumnDatabase::writeMergedRows(appFolder, rows, error);
    if (progress)
        progress->setValue(0);
    return stored;
}

QString ratioText(qsizetype reducedCount, qsizetype mergedCount, const QLocale& locale)
{
    const double ratio =
        mergedCount > 0 ? static_cast<double>(reducedCount) / static_cast<double>(mergedCount) : 0;
    return NumberFormat::formatPattern(ratio, u"#0.00", locale);
}

} // namespace Merger
