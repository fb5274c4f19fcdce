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
    // A missing sign is no sign at all: it makes the column incomplete and, unlike '-', equals
    // nothing, not even another missing sign. Each takes a letter of its own, which no measure
    // counts and no other position holds.
    char signs[13];
    bool complete = true;
    for (int k = 0; k < 13; ++k) {
        const char sign = k < column.size() ? column[k] : ' ';
        const bool known = sign == '1' || sign == 'X' || sign == '2' || sign == '-';
        signs[k] = known ? sign : static_cast<char>('a' + k);
        complete = complete && known && sign != '-';
    }
    const ColumnMeasures m = Measures::measure(QByteArrayView(signs, 13));
    Computed computed;
    computed.Comp = complete ? QStringLiteral("Si") : QStringLiteral("No");
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

bool isSeason(const QString& text)
{
    if (text.size() != 9 || text[4] != u'-')
        return false;
    bool first = false;
    bool second = false;
    const int from = text.left(4).toInt(&first);
    const int to = text.mid(5).toInt(&second);
    const auto digits = [&text](int at) {
        for (int k = at; k < at + 4; ++k)
            if (text[k] < u'0' || text[k] > u'9')
                return false;
        return true;
    };
    return first && second && digits(0) && digits(5) && to == from + 1;
}

std::optional<bool> postponedOf(const QString& text)
{
    const QString word = text.trimmed().toCaseFolded();
    if (word == u"si" || word == u"s\u00ec")
        return true;
    if (word == u"no")
        return false;
    return std::nullopt;
}

bool isSeriesCode(const QString& code)
{
    for (const SeriesInfo& series : seriesTable())
        if (code == QLatin1String(series.code))
            return true;
    return false;
}

} // namespace ArchiveFields
