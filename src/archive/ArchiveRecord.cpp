#include "archive/ArchiveRecord.h"

QByteArray ArchiveRecord::column() const
{
    QByteArray column;
    column.reserve(13);
    for (int k = 0; k < 13; ++k)
        column += fields[FirstSign + k].toLatin1();
    return column;
}

ArchiveRecord::TypedFields ArchiveRecord::typed() const
{
    TypedFields typed;
    std::copy_n(fields.begin(), TypedCount, typed.begin());
    return typed;
}

ArchiveRecord ArchiveRecord::fromTyped(const TypedFields& typed)
{
    ArchiveRecord record;
    std::copy(typed.begin(), typed.end(), record.fields.begin());
    const ArchiveFields::Computed computed = ArchiveFields::compute(ArchiveFields::columnOf(typed));
    record.fields[Comp] = computed.Comp;
    for (int k = 0; k < MeasureCount; ++k)
        record.fields[FirstMeasure + k] = QString::number(computed.measures[k]);
    return record;
}

namespace ArchiveFields {

QByteArray columnOf(const ArchiveRecord::TypedFields& typed)
{
    QByteArray column;
    column.reserve(13);
    for (int k = 0; k < 13; ++k)
        column += typed[ArchiveRecord::FirstSign + k].toLatin1();
    return column;
}

Computed compute(QByteArrayView column)
{
    const ColumnMeasures m = Measures::measure(column);
    Computed computed;
    computed.Comp = column.contains('-') ? QStringLiteral("No") : QStringLiteral("Si");
    computed.measures = {m.S1, m.SX, m.S2, m.SC1, m.SCX, m.SC2, m.IG,
                         m.IC, m.SG, m.SC, m.PG,  m.PC,  m.FG,  m.FC};
    return computed;
}

std::span<const SeriesInfo> seriesTable()
{
    static constexpr SeriesInfo Series[] = {
        {"A__", "Schedine con solo Serie A", "A"},
        {"ABC", "Schedine con Serie A,B e C", "ABC"},
        {"BOC", "Schedine con Serie B e/o C", "B e/o C"},
        {"VAR", "Colonne Varie", "Varie"},
        {"IND", "Colonne Indefinite", "Indefinita"},
    };
    return Series;
}

bool isSeriesCode(const QString& code)
{
    for (const SeriesInfo& series : seriesTable())
        if (code == QLatin1String(series.code))
            return true;
    return false;
}

} // namespace ArchiveFields
