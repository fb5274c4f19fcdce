#include "conditions/SequenceFilter.h"

#include "platform/NumberFormat.h"

namespace {

constexpr int Matches = 13;

// A match number as the legacy code turns a numeric value into a string position: rounded to the
// nearest, halves to even; 0 when it cannot name a match.
int matchNumberOf(double value)
{
    const double rounded = NumberFormat::roundHalfEven(value);
    return rounded >= 1 && rounded <= Matches ? static_cast<int>(rounded) : 0;
}

} // namespace

SequenceFilter::SequenceFilter(const QString& signs, const QString& fields)
    : m_signs(trimBlanks(signs))
{
    const qsizetype length = m_signs.size();
    qsizetype at = 0;
    for (qsizetype i = 0; i + 1 < length; ++i) {
        const qsizetype dash = fields.indexOf(QLatin1Char('-'), at);
        // Fewer dashes than signs: the rest of the list is the number and the later fields read
        // as nothing, so the sequence can match no column.
        const qsizetype end = dash < 0 ? fields.size() : dash;
        m_positions.append(
            matchNumberOf(NumberFormat::readAsNumber(QStringView(fields).mid(at, end - at))));
        at = dash < 0 ? fields.size() : dash + 1;
    }
    if (length > 0)
        m_positions.append(matchNumberOf(
            NumberFormat::readAsNumber(QStringView(fields).mid(qMin(at, fields.size()), 2))));

    for (qsizetype i = 0; i < length; ++i) {
        const int position = m_positions[i];
        if (position == 0) {
            m_matchable = false;
            continue;
        }
        const quint32 bit = 1u << (position - 1);
        const QChar sign = m_signs[i];
        if (sign == QLatin1Char('1'))
            m_required.one |= bit;
        else if (sign == QLatin1Char('X'))
            m_required.draw |= bit;
        else if (sign == QLatin1Char('2'))
            m_required.two |= bit;
        else
            m_matchable = false;
    }
    if ((m_required.one & m_required.draw) || (m_required.one & m_required.two) ||
        (m_required.draw & m_required.two))
        m_matchable = false;
}

bool SequenceFilter::eliminates(QByteArrayView column) const
{
    QString joined;
    for (int position : m_positions) {
        // A position beyond the column contributes nothing, like Mid$ past the end.
        if (position >= 1 && position <= column.size())
            joined.append(QLatin1Char(column[position - 1]));
    }
    return joined == m_signs;
}

int SequenceFilter::CountSequenceFields(const QString& fields)
{
    return static_cast<int>(fields.count(QLatin1Char('-'))) + 1;
}

QString SequenceFilter::rangeError(const QString& signs, const QString& fields)
{
    const QString trimmed = trimBlanks(signs);
    if (trimmed.isEmpty())
        return {};
    if (trimmed.size() > Matches)
        return QStringLiteral("Inserire al massimo 13 segni !");
    const QStringList numbers = trimBlanks(fields).split(QLatin1Char('-'));
    for (const QString& number : numbers) {
        bool ok = false;
        const int match = number.toInt(&ok);
        if (!ok || match < 1 || match > Matches)
            return QStringLiteral("Numero di campo non valido (1...13) !");
    }
    return {};
}

QString SequenceFilter::trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}
