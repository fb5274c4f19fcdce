#include "conditions/AdvancedConditionsLogic.h"

#include "document/SystemDocument.h"
#include "platform/ColumnBuffer.h"
#include "platform/LegacyTextFile.h"

#include <QFile>
#include <QLocale>

#include <cmath>

namespace AdvancedConditionsLogic {

namespace {

constexpr qint64 LargestValuesFile = 64 * 1024;

} // namespace

std::optional<double> parseNumber(QString text)
{
    text = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

ValuesRead parseValues(const QByteArray& text, bool odds)
{
    const QString what = odds ? QStringLiteral("quote") : QStringLiteral("valori");
    AdvancedConditions::SignValues read{};
    int match = 0;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype l = 0; l < lines.size(); ++l) {
        const QString line = QString::fromUtf8(lines[l]).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char(';'));
        if (match == AdvancedConditions::Matches)
            return {std::nullopt,
                    QStringLiteral("Più di 13 righe di %1 ! (riga %2)").arg(what).arg(l + 1)};
        if (fields.size() != 3)
            return {std::nullopt, QStringLiteral("La riga %1 non contiene tre %2 separati da ';' !")
                                      .arg(l + 1)
                                      .arg(what)};
        for (int s = 0; s < 3; ++s) {
            const std::optional<double> number = parseNumber(fields[s]);
            const bool fits = number && (odds ? *number >= 1 : *number >= 0 && *number <= 100);
            if (!fits)
                return {std::nullopt,
                        QStringLiteral("Valore non valido nella riga %1: \"%2\" ! (%3)")
                            .arg(l + 1)
                            .arg(fields[s].trimmed(), odds ? QStringLiteral("quote da 1 in su")
                                                           : QStringLiteral("valori da 0 a 100"))};
            read[match][s] = *number;
        }
        ++match;
    }
    if (match != AdvancedConditions::Matches)
        return {std::nullopt,
                QStringLiteral("Servono 13 righe di %1, ce ne sono %2 !").arg(what).arg(match)};
    return {odds ? valuesFromOdds(read) : read, {}};
}

ValuesRead readValuesFile(const QString& path, bool odds)
{
    QFile file;
    const LegacyTextFile::ReadStatus status = LegacyTextFile::openRegular(file, path);
    if (status == LegacyTextFile::ReadStatus::NotFound)
        return {std::nullopt, QStringLiteral("Impossibile trovare il File %1 !").arg(path)};
    if (status != LegacyTextFile::ReadStatus::Ok || file.size() > LargestValuesFile)
        return {std::nullopt,
                QStringLiteral("Il File %1 non è un file di %2 !")
                    .arg(path, odds ? QStringLiteral("quote") : QStringLiteral("valori"))};
    return parseValues(file.read(LargestValuesFile + 1), odds);
}

AdvancedConditions::SignValues valuesFromOdds(const AdvancedConditions::SignValues& odds)
{
    AdvancedConditions::SignValues values{};
    for (int match = 0; match < AdvancedConditions::Matches; ++match) {
        double total = 0;
        for (double o : odds[match])
            total += 1 / o;
        for (int s = 0; s < 3; ++s)
            values[match][s] = (1 / odds[match][s]) / total * 100;
    }
    return values;
}

QList<int> matchesNotSummingTo100(const AdvancedConditions::SignValues& values)
{
    QList<int> matches;
    for (int match = 0; match < AdvancedConditions::Matches; ++match) {
        qint64 sum = 0;
        for (double value : values[match])
            sum += AdvancedConditions::hundredths(value);
        if (std::abs(sum - 10000) > 1)
            matches << match + 1;
    }
    return matches;
}

AdvancedConditions::Range sumRangeOf(const AdvancedConditions::SignValues& values,
                                     const SystemDocument& document)
{
    qint64 lowest = 0, highest = 0;
    for (int match = 0; match < AdvancedConditions::Matches; ++match) {
        QString played = document.signsOf(match + 1);
        if (played.isEmpty())
            played = QStringLiteral("1X2");
        qint64 low = 1000000, high = -1;
        for (QChar sign : played) {
            const int s = QStringLiteral("1X2").indexOf(sign);
            if (s < 0)
                continue;
            const qint64 value = AdvancedConditions::hundredths(values[match][s]);
            low = qMin(low, value);
            high = qMax(high, value);
        }
        lowest += high < 0 ? 0 : low;
        highest += high < 0 ? 0 : high;
    }
    return {double(lowest) / 100, double(highest) / 100};
}

std::optional<std::pair<int, int>> parseWholeRange(const QString& text, int maximum)
{
    const std::optional<AdvancedConditions::Range> range = parseRange(text, maximum);
    if (!range || range->from != std::trunc(range->from) || range->to != std::trunc(range->to))
        return std::nullopt;
    return std::pair{int(range->from), int(range->to)};
}

std::optional<AdvancedConditions::Range> parseRange(const QString& text, double maximum)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<double> from = parseNumber(parts[0]);
    const std::optional<double> to = parseNumber(parts[1]);
    if (!from || !to || *from < 0 || *from > *to || *to > maximum)
        return std::nullopt;
    return AdvancedConditions::Range{*from, *to};
}

QString valueText(double value)
{
    return AdvancedConditions::valueText(value);
}

QString percentText(double fraction)
{
    return valueText(fraction * 100) + QStringLiteral(" %");
}

FormTexts formOf(const AdvancedConditions& advanced)
{
    FormTexts form;
    form.errorsFrom = QString::number(advanced.errorsFrom);
    form.errorsTo = QString::number(advanced.errorsTo);
    form.strict = advanced.strict;
    if (advanced.values()) {
        for (int match = 0; match < AdvancedConditions::Matches; ++match) {
            for (int s = 0; s < 3; ++s)
                form.values[match][s] = valueText((*advanced.values())[match][s]);
        }
    }
    if (advanced.sum) {
        form.sumFrom = valueText(advanced.sum->from);
        form.sumTo = valueText(advanced.sum->to);
    }
    form.top = advanced.topCount > 0 ? QString::number(advanced.topCount) : QString();
    for (qsizetype r = 0; r < advanced.references.size(); ++r) {
        form.referenceColumns[r] = QString::fromLatin1(advanced.references[r].column);
        form.pointsFrom[r] = QString::number(advanced.references[r].pointsFrom);
        form.pointsTo[r] = QString::number(advanced.references[r].pointsTo);
    }
    return form;
}

FormResult conditionsOf(const FormTexts& form)
{
    AdvancedConditions advanced;
    const auto errors = parseWholeRange(form.errorsFrom + QLatin1Char('-') + form.errorsTo,
                                        AdvancedConditions::MaxErrors);
    if (!errors)
        return {std::nullopt, QStringLiteral("Errori ammessi: da A a B, con A non maggiore di B "
                                             "(0-%1) !")
                                  .arg(AdvancedConditions::MaxErrors)};
    advanced.errorsFrom = errors->first;
    advanced.errorsTo = errors->second;
    advanced.strict = form.strict;

    bool anyValue = false;
    AdvancedConditions::SignValues values{};
    for (int match = 0; match < AdvancedConditions::Matches; ++match) {
        for (int s = 0; s < 3; ++s)
            anyValue = anyValue || !form.values[match][s].trimmed().isEmpty();
    }
    for (int match = 0; anyValue && match < AdvancedConditions::Matches; ++match) {
        for (int s = 0; s < 3; ++s) {
            const std::optional<double> value = parseNumber(form.values[match][s]);
            if (!value || *value < 0 || *value > 100)
                return {std::nullopt,
                        QStringLiteral("Valore non valido nella partita %1 ! (da 0 a 100)")
                            .arg(match + 1)};
            values[match][s] = *value;
        }
    }
    if (anyValue)
        advanced.setValues(values);

    if (!form.sumFrom.trimmed().isEmpty() || !form.sumTo.trimmed().isEmpty()) {
        const auto sum = parseRange(form.sumFrom + QLatin1Char('-') + form.sumTo,
                                    100.0 * AdvancedConditions::Matches);
        if (!sum)
            return {std::nullopt,
                    QStringLiteral("Somma: da A a B, con A non maggiore di B (0-1300) !")};
        advanced.sum = *sum;
    }
    if (!form.top.trimmed().isEmpty()) {
        bool ok = false;
        const int top = form.top.trimmed().toInt(&ok);
        if (!ok || top < 0 || top > ColumnBuffer::MaxCount)
            return {std::nullopt, QStringLiteral("Numero di colonne più probabili non valido !")};
        advanced.topCount = top;
    }
    if ((advanced.sum || advanced.topCount > 0) && !advanced.values())
        return {std::nullopt, QStringLiteral("La somma e le colonne più probabili richiedono i "
                                             "valori dei segni !")};

    for (int r = 0; r < AdvancedConditions::MaxReferences; ++r) {
        const QString column = form.referenceColumns[r].trimmed().toUpper();
        if (column.isEmpty())
            continue;
        const auto points = parseWholeRange(
            form.pointsFrom[r] + QLatin1Char('-') + form.pointsTo[r], AdvancedConditions::Matches);
        bool signs = column.size() == AdvancedConditions::Matches;
        for (QChar c : column)
            signs = signs && QStringLiteral("1X2").contains(c);
        if (!signs || !points)
            return {std::nullopt,
                    QStringLiteral("Colonna di riferimento %1 non valida ! (13 segni fra 1, X, 2 "
                                   "e punti da A a B, 0-13)")
                        .arg(r + 1)};
        advanced.references.append({column.toLatin1(), points->first, points->second});
    }
    return {advanced, {}};
}

QStringList summaryLines(const AdvancedConditions& advanced)
{
    return advanced.summaryLines();
}

} // namespace AdvancedConditionsLogic
