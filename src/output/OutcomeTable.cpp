#include "output/OutcomeTable.h"

#include "conditions/ReductionEngine.h"
#include "document/AdvancedConditions.h"
#include "document/SystemDocument.h"

#include <algorithm>

namespace OutcomeTable {

namespace {

// Above any distance, and still far from the byte's limit after 13 passes of "plus one".
constexpr quint8 Unreached = 14;

// '1' = 0, 'X' = 1, '2' = 2; every other byte a value that marks the column as foreign.
constexpr std::array<quint8, 256> Digits = [] {
    std::array<quint8, 256> digits{};
    digits.fill(3);
    digits['1'] = 0;
    digits['X'] = 1;
    digits['2'] = 2;
    return digits;
}();

constexpr std::array<qint32, 13> Powers = [] {
    std::array<qint32, 13> powers{};
    qint32 power = 1;
    for (qint32& p : powers) {
        p = power;
        power *= 3;
    }
    return powers;
}();

// No branch per sign: one table read and one multiply-add, and the foreign bytes gathered.
std::optional<qint32> indexOfSigns(const char* column)
{
    qint32 index = 0;
    quint8 foreign = 0;
    for (int match = 0; match < ColumnBuffer::Width; ++match) {
        const quint8 digit = Digits[static_cast<quint8>(column[match])];
        foreign |= (digit >> 1) & digit; // only 3 has both bits
        index += digit * Powers[static_cast<std::size_t>(match)];
    }
    if (foreign)
        return std::nullopt;
    return index;
}

} // namespace

std::optional<qint32> indexOf(QByteArrayView column)
{
    if (column.size() != ColumnBuffer::Width)
        return std::nullopt;
    return indexOfSigns(column.data());
}

std::vector<quint8> nearestErrors(const ColumnBuffer& played)
{
    std::vector<quint8> errors(SpaceSize, Unreached);
    for (qsizetype i = 0; i < played.count(); ++i) {
        if (const auto index = indexOfSigns(played.columnData(i)))
            errors[static_cast<std::size_t>(*index)] = 0;
    }
    quint8* const data = errors.data();
    for (qint32 stride = 1; stride < SpaceSize; stride *= 3) {
        for (qint32 block = 0; block < SpaceSize; block += 3 * stride) {
            quint8* const a = data + block;
            quint8* const b = a + stride;
            quint8* const c = b + stride;
            // Plain loops over three slices that the compiler turns into vector code.
            for (qint32 j = 0; j < stride; ++j) {
                const quint8 va = a[j], vb = b[j], vc = c[j];
                a[j] = std::min<quint8>(va, std::min(vb, vc) + 1);
                b[j] = std::min<quint8>(vb, std::min(va, vc) + 1);
                c[j] = std::min<quint8>(vc, std::min(va, vb) + 1);
            }
        }
    }
    return errors;
}

Table countOver(const std::vector<quint8>& errors, const ColumnBuffer& winning)
{
    Table table;
    for (qsizetype i = 0; i < winning.count(); ++i) {
        const auto index = indexOfSigns(winning.columnData(i));
        if (!index)
            continue;
        const int error = errors[static_cast<std::size_t>(*index)];
        if (error <= ColumnBuffer::Width)
            ++table.byPoints[static_cast<std::size_t>(ColumnBuffer::Width - error)];
        ++table.total;
    }
    return table;
}

Table countAll(const std::vector<quint8>& errors)
{
    std::array<qint64, 256> byErrors{};
    for (const quint8 error : errors)
        ++byErrors[error];
    Table table;
    for (int error = 0; error <= ColumnBuffer::Width; ++error)
        table.byPoints[static_cast<std::size_t>(ColumnBuffer::Width - error)] = byErrors[error];
    table.total = static_cast<qint64>(errors.size());
    return table;
}

std::array<double, 14> chances(const std::vector<quint8>& errors, const SignWeights& weights)
{
    // The weight of every column, built match by match the way the indices are: the columns
    // below 3^k already carry the product of their first k matches.
    std::vector<double> weight(SpaceSize);
    weight[0] = 1.0;
    qint32 filled = 1;
    for (int match = 0; match < ColumnBuffer::Width; ++match) {
        for (int digit = 2; digit >= 0; --digit) {
            const double share =
                weights[static_cast<std::size_t>(match)][static_cast<std::size_t>(digit)];
            for (qint32 j = 0; j < filled; ++j)
                weight[static_cast<std::size_t>(digit * filled + j)] =
                    weight[static_cast<std::size_t>(j)] * share;
        }
        filled *= 3;
    }
    std::array<double, 14> byPoints{};
    for (std::size_t i = 0; i < errors.size(); ++i) {
        if (errors[i] <= ColumnBuffer::Width)
            byPoints[static_cast<std::size_t>(ColumnBuffer::Width - errors[i])] += weight[i];
    }
    return byPoints;
}

QString percentText(qint64 count, qint64 total)
{
    const double percent = total > 0 ? double(count) * 100.0 / double(total) : 0.0;
    return QString::number(percent, 'f', 2);
}

std::optional<Over> overOf(const QString& word)
{
    if (word == QLatin1String("integral"))
        return Over::Integral;
    if (word == QLatin1String("conditions"))
        return Over::Conditions;
    if (word == QLatin1String("all"))
        return Over::All;
    return std::nullopt;
}

const ColumnBuffer& playedColumns(const SystemDocument& document)
{
    return document.ReducedCount > 0 && !document.WorkColumns.isEmpty() ? document.WorkColumns
                                                                        : document.IntegralColumns;
}

Table forSystem(const SystemDocument& document, const AdvancedConditions& advanced, Over over,
                std::vector<quint8>* errors)
{
    std::vector<quint8> distances = nearestErrors(playedColumns(document));
    Table table;
    switch (over) {
    case Over::Integral:
        table = countOver(distances, document.IntegralColumns);
        break;
    case Over::Conditions: {
        // Exactly the columns a reduction would keep, the most probable ones included; the
        // engine writes trimmed sequence texts back into the set it runs on.
        ConditionSet scratch = document.Conditions;
        table = countOver(distances, ReductionEngine::run(document.IntegralColumns, scratch,
                                                          document.EnableFlags, advanced)
                                         .survivors);
        break;
    }
    case Over::All:
        table = countAll(distances);
        break;
    }
    if (errors)
        *errors = std::move(distances);
    return table;
}

QStringList lines(const Table& table)
{
    QStringList out;
    for (int points = ColumnBuffer::Width; points >= 0; --points) {
        const qint64 count = table.byPoints[static_cast<std::size_t>(points)];
        out << QStringLiteral("%1 %2 %3")
                   .arg(points)
                   .arg(count)
                   .arg(percentText(count, table.total));
    }
    out << QStringLiteral("Totale %1").arg(table.total);
    return out;
}

std::optional<SignWeights> weightsOf(const AdvancedConditions& advanced)
{
    if (!advanced.values())
        return std::nullopt;
    SignWeights weights;
    for (int match = 0; match < ColumnBuffer::Width; ++match) {
        for (int sign = 0; sign < 3; ++sign)
            weights[static_cast<std::size_t>(match)][static_cast<std::size_t>(sign)] =
                (*advanced
                      .values())[static_cast<std::size_t>(match)][static_cast<std::size_t>(sign)] /
                100.0;
    }
    return weights;
}

QStringList chanceLines(const std::array<double, 14>& chances)
{
    QStringList out;
    double atLeast = 0;
    for (int points = ColumnBuffer::Width; points >= 10; --points) {
        atLeast += chances[static_cast<std::size_t>(points)];
        out << QStringLiteral("Probabilità %1%2 %3")
                   .arg(points)
                   .arg(points == ColumnBuffer::Width ? QString() : QStringLiteral(" o più"))
                   .arg(atLeast * 100.0, 0, 'f', 4);
    }
    return out;
}

} // namespace OutcomeTable
