#include "document/AdvancedConditions.h"

#include "platform/ColumnBuffer.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

void AdvancedConditions::setValues(const SignValues& values)
{
    SignValues rounded{};
    for (int match = 0; match < Matches; ++match) {
        for (int s = 0; s < 3; ++s)
            rounded[match][s] = static_cast<double>(hundredths(values[match][s])) / 100.0;
    }
    m_values = rounded;
}

bool AdvancedConditions::isSet() const
{
    return *this != AdvancedConditions{};
}

bool AdvancedConditions::changesReduction() const
{
    return errorsFrom != 0 || errorsTo != 0 || sum.has_value() || topCount > 0 ||
           !references.isEmpty();
}

double AdvancedConditions::valueOf(int match, char sign) const
{
    if (!m_values || match < 0 || match >= Matches)
        return 0;
    switch (sign) {
    case '1':
        return (*m_values)[match][0];
    case 'X':
        return (*m_values)[match][1];
    case '2':
        return (*m_values)[match][2];
    default:
        return 0;
    }
}

qint64 AdvancedConditions::hundredths(double percent)
{
    return std::llround(percent * 100.0);
}

namespace {

bool isText(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

// A bare whole number within min..max.
std::optional<int> wholeIn(const QVariant& value, double minimum, double maximum)
{
    if (isText(value))
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= minimum && number <= maximum) || number != std::trunc(number))
        return std::nullopt;
    return static_cast<int>(number);
}

std::optional<double> numberIn(const QVariant& value, double minimum, double maximum)
{
    if (isText(value))
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= minimum && number <= maximum))
        return std::nullopt;
    return number;
}

bool isColumn(const QString& text)
{
    if (text.size() != AdvancedConditions::Matches)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char('1') || c == QLatin1Char('X') || c == QLatin1Char('2');
    });
}

} // namespace

QVariantList AdvancedConditions::toList() const
{
    QVariantList list;
    list << double(errorsFrom) << double(errorsTo);
    QString flags;
    for (bool on : strict)
        flags += on ? QLatin1Char('1') : QLatin1Char('0');
    list << flags << (m_values ? 1.0 : 0.0);
    for (int match = 0; match < Matches; ++match) {
        for (int s = 0; s < 3; ++s)
            list << (m_values ? (*m_values)[match][s] : 0.0);
    }
    list << (sum ? 1.0 : 0.0) << (sum ? sum->from : 0.0) << (sum ? sum->to : 0.0);
    list << double(topCount) << double(references.size());
    for (int r = 0; r < MaxReferences; ++r) {
        if (r < references.size())
            list << QString::fromLatin1(references[r].column) << double(references[r].pointsFrom)
                 << double(references[r].pointsTo);
        else
            list << QString() << 0.0 << double(Matches);
    }
    return list;
}

std::optional<AdvancedConditions> AdvancedConditions::fromList(const QVariantList& values)
{
    if (values.size() != FileValues)
        return std::nullopt;
    AdvancedConditions advanced;
    const auto from = wholeIn(values[0], 0, MaxErrors);
    const auto to = wholeIn(values[1], 0, MaxErrors);
    if (!from || !to || *from > *to || !isText(values[2]))
        return std::nullopt;
    advanced.errorsFrom = *from;
    advanced.errorsTo = *to;
    const QString flags = values[2].toString();
    if (flags.size() != StrictFlags)
        return std::nullopt;
    for (int i = 0; i < StrictFlags; ++i) {
        if (flags[i] != QLatin1Char('0') && flags[i] != QLatin1Char('1'))
            return std::nullopt;
        advanced.strict[i] = flags[i] == QLatin1Char('1');
    }
    const auto valuesSet = wholeIn(values[3], 0, 1);
    if (!valuesSet)
        return std::nullopt;
    SignValues signValues{};
    for (int i = 0; i < 3 * Matches; ++i) {
        const auto value = numberIn(values[4 + i], 0, 100);
        if (!value)
            return std::nullopt;
        signValues[i / 3][i % 3] = *value;
    }
    if (*valuesSet)
        advanced.setValues(signValues);
    const auto sumSet = wholeIn(values[43], 0, 1);
    const auto sumFrom = numberIn(values[44], 0, 100 * Matches);
    const auto sumTo = numberIn(values[45], 0, 100 * Matches);
    // A sum window without values would bound nothing.
    if (!sumSet || !sumFrom || !sumTo || *sumFrom > *sumTo || (*sumSet && !*valuesSet))
        return std::nullopt;
    if (*sumSet)
        advanced.sum = Range{*sumFrom, *sumTo};
    const auto top = wholeIn(values[46], 0, double(ColumnBuffer::MaxCount));
    const auto count = wholeIn(values[47], 0, MaxReferences);
    if (!top || !count)
        return std::nullopt;
    advanced.topCount = *top;
    for (int r = 0; r < MaxReferences; ++r) {
        const QVariant& column = values[48 + 3 * r];
        const auto pointsFrom = wholeIn(values[49 + 3 * r], 0, Matches);
        const auto pointsTo = wholeIn(values[50 + 3 * r], 0, Matches);
        if (!isText(column) || !pointsFrom || !pointsTo || *pointsFrom > *pointsTo)
            return std::nullopt;
        const bool used = r < *count;
        if (used != isColumn(column.toString()) || (!used && !column.toString().isEmpty()))
            return std::nullopt;
        if (used)
            advanced.references.append({column.toString().toLatin1(), *pointsFrom, *pointsTo});
    }
    return advanced;
}

namespace {

const std::array<const char*, AdvancedConditions::StrictFlags> StrictNames = {
    "Segni Min/Max",     "Segni Cons.", "Interruzioni",
    "Simmetrie",         "Paralleli",   "Sequele",
    "Paralleli Passo 3", "Valori",      "Colonne di riferimento"};

} // namespace

QString AdvancedConditions::valueText(double value)
{
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    return italian.toString(value, 'f', 2);
}

QStringList AdvancedConditions::summaryLines() const
{
    QStringList lines;
    if (!isSet())
        return lines;
    lines << QStringLiteral("Errori ammessi da %1 a %2").arg(errorsFrom).arg(errorsTo);
    QStringList kept;
    for (int i = 0; i < StrictFlags; ++i) {
        if (strict[i])
            kept << QString::fromUtf8(StrictNames[i]);
    }
    if (!kept.isEmpty())
        lines << QStringLiteral("Sempre rispettate: ") + kept.join(QStringLiteral(", "));
    if (values())
        lines << QStringLiteral("Valori dei segni impostati");
    if (sum)
        lines << QStringLiteral("Somma da %1 a %2").arg(valueText(sum->from), valueText(sum->to));
    if (topCount > 0)
        lines << QStringLiteral("Solo le %1 colonne più probabili").arg(topCount);
    for (qsizetype r = 0; r < references.size(); ++r)
        lines << QStringLiteral("Colonna di riferimento %1: %2 punti da %3 a %4")
                     .arg(r + 1)
                     .arg(QString::fromLatin1(references[r].column))
                     .arg(references[r].pointsFrom)
                     .arg(references[r].pointsTo);
    return lines;
}

double AdvancedConditions::valueSum(QByteArrayView column) const
{
    if (!m_values)
        return 0;
    qint64 total = 0;
    for (int match = 0; match < Matches && match < column.size(); ++match)
        total += hundredths(valueOf(match, column[match]));
    return static_cast<double>(total) / 100.0;
}

double AdvancedConditions::probability(QByteArrayView column) const
{
    if (!m_values)
        return 0;
    double product = 1;
    for (int match = 0; match < Matches && match < column.size(); ++match) {
        const char sign = column[match];
        if (sign == '1' || sign == 'X' || sign == '2')
            product *= valueOf(match, sign) / 100.0;
    }
    return product;
}

double AdvancedConditions::chanceOf13(const ColumnBuffer& columns) const
{
    double chance = 0;
    for (qsizetype i = 0; i < columns.count(); ++i)
        chance += probability(columns.column(i));
    return chance;
}

QString AdvancedConditions::chanceText(const ColumnBuffer& columns) const
{
    if (!m_values)
        return {};
    return QStringLiteral("Probabilità del 13: ") + valueText(chanceOf13(columns) * 100) +
           QStringLiteral(" %");
}
