#include "output/ExportWriter.h"

#include "conditions/FastMeasures.h"
#include "platform/ColumnDatabase.h"
#include "platform/ProgressReporter.h"

namespace ExportWriter {

namespace {

enum Position { FirstSign = 2, Comp = 17 };

} // namespace

bool exportColumns(const QString& appFolder, const ColumnBuffer& columns, QString* error,
                   ProgressReporter* progress)
{
    const qsizetype count = columns.count();
    const qsizetype step = std::max<qsizetype>(1, count / 200);
    if (progress)
        progress->setRange(0, static_cast<int>(count));
    // The measures are computed while each row is written, so the table is filled in one pass.
    const auto fill = [&](qsizetype index, ColumnDatabase::WinningRow& row) {
        if (progress && index % step == 0)
            progress->setValue(static_cast<int>(index));
        const QByteArrayView column = columns.column(index);
        for (int k = 0; k < ColumnBuffer::Width; ++k)
            row.texts[FirstSign + k] = column.sliced(k, 1);
        row.texts[Comp] = "Si";
        const ColumnMeasures m = FastMeasures::measure(column.data());
        const auto run = [](int signs, int longest) {
            return signs > 0 ? std::optional<int>(longest) : std::nullopt;
        };
        row.measures = {m.S1,
                        m.SX,
                        m.S2,
                        run(m.S1, m.SC1),
                        run(m.SX, m.SCX),
                        run(m.S2, m.SC2),
                        m.IG,
                        m.IC,
                        m.SG,
                        m.SC,
                        m.PG,
                        m.PC,
                        std::nullopt,
                        std::nullopt};
    };
    const bool written = ColumnDatabase::writeWinningRows(
        appFolder, ColumnDatabase::Database::Export, count, fill, error);
    if (progress)
        progress->setValue(0);
    return written;
}

QString successMessage()
{
    return QStringLiteral("File 'Export.mdb' creato con successo !");
}

} // namespace ExportWriter
