#include "reports/PropertiesLogic.h"

#include "document/SystemDocument.h"
#include "platform/NumberFormat.h"

#include <QStringList>

namespace PropertiesLogic {

namespace {

const QString Cr = QStringLiteral("\r");
const QString CrLf = QStringLiteral("\r\n");
const QString Missing = QStringLiteral("Non Presente");

QString plain(double value)
{
    return NumberFormat::plain(value);
}

QString dashes(int rows)
{
    return QStringList(rows, QStringLiteral("-")).join(CrLf);
}

// A frame of a system that is not there: its name in the first title column, a dash on every
// row of the values.
void markMissing(std::array<QString, Columns>& titles, std::array<QString, Columns>& values,
                 const std::array<int, Columns>& rows)
{
    titles = {Missing, QString(), QString()};
    for (int column = 0; column < Columns; ++column)
        values[column] = dashes(rows[column]);
}

// Money in one form in both frames: the locale's, with two decimals.
QString money(double amount, const QLocale& locale)
{
    return NumberFormat::formatPattern(amount, u"###,###,##0.00", locale);
}

void fillIntegral(Texts& texts, const SystemDocument& document, double columnCost,
                  const QLocale& locale)
{
    if (document.IntegralCount < 1)
        return markMissing(texts.integralTitles, texts.integralValues, {5, 3, 3});
    texts.integralTitles = {
        QStringList{"Fisse", "Doppie", "Triple", "Colonne", QStringLiteral("Costo (\u20ac)")}.join(
            Cr),
        QStringList{"Segni 1", "Segni X", "Segni 2"}.join(Cr),
        QStringList{"Segni 1 Fissi", "Segni X Fissi", "Segni 2 Fissi"}.join(Cr)};
    texts.integralValues = {
        QStringList{plain(document.NumFisse), plain(document.NumDoppie), plain(document.NumTriple),
                    plain(document.IntegralCount),
                    money(document.IntegralCount * columnCost, locale)}
            .join(Cr),
        QStringList{plain(document.Segni1), plain(document.SegniX), plain(document.Segni2)}.join(
            Cr),
        QStringList{plain(document.Fissi1), plain(document.FissiX), plain(document.Fissi2)}.join(
            Cr)};
}

// The limits of one column of conditions: per row the kind that enables it and the first of
// its two entries.
struct LimitRow {
    ConditionKind kind;
    int entry;
};

QString limits(const SystemDocument& document, const std::array<LimitRow, 7>& rows)
{
    QStringList values;
    for (const LimitRow& row : rows) {
        if (!EnableFlagsText::isEnabled(document.EnableFlags, row.kind)) {
            values << QStringLiteral(" ");
            continue;
        }
        values << NumberFormat::Str(document.Conditions.number(row.entry)) + QStringLiteral("...") +
                      NumberFormat::Str(document.Conditions.number(row.entry + 1));
    }
    return values.join(CrLf);
}

void fillReduced(Texts& texts, const SystemDocument& document, double columnCost,
                 const QLocale& locale)
{
    if (document.ReducedCount < 1)
        return markMissing(texts.reducedTitles, texts.reducedValues, {6, 7, 7});
    const double cost = document.ReducedCount * columnCost;
    const qint64 reduction = document.IntegralCount > 0 ? qint64(document.ReducedCount) * 100 /
                                                              qint64(document.IntegralCount)
                                                        : 0;
    const double share = document.Quote > 0 ? cost / document.Quote : 0;
    texts.reducedTitles = {QStringList{"Colonne", QStringLiteral("Costo (\u20ac)"), "Riduzione",
                                       "Quote", QStringLiteral("Carat. (\u20ac)"), "Schedine"}
                               .join(Cr),
                           QStringList{"Segni 1", "Segni X", "Segni 2", "Interr.", "Simmetrie",
                                       "Paralleli", "Paral. P3"}
                               .join(Cr),
                           QStringList{"Cons. 1", "Cons. X", "Cons. 2", "Int. Cons.", "Sim. Cons.",
                                       "Par. Cons.", "P3 Cons."}
                               .join(Cr)};
    using K = ConditionKind;
    texts.reducedValues = {QStringList{plain(document.ReducedCount), money(cost, locale),
                                       QString::number(reduction) + QStringLiteral(" %"),
                                       plain(document.Quote), money(share, locale),
                                       plain(document.SlipCount)}
                               .join(Cr),
                           limits(document, {{{K::SignCounts, 1},
                                              {K::SignCounts, 3},
                                              {K::SignCounts, 5},
                                              {K::Interruptions, 13},
                                              {K::Symmetries, 17},
                                              {K::Parallels, 21},
                                              {K::ParallelsStep3, 46}}}),
                           limits(document, {{{K::SignRuns, 7},
                                              {K::SignRuns, 9},
                                              {K::SignRuns, 11},
                                              {K::Interruptions, 15},
                                              {K::Symmetries, 19},
                                              {K::Parallels, 23},
                                              {K::ParallelsStep3, 48}}})};
}

QString sequencesOf(const SystemDocument& document)
{
    if (!EnableFlagsText::isEnabled(document.EnableFlags, ConditionKind::Sequences))
        return {};
    QString text = QStringLiteral(" Sequele Escluse:") + CrLf;
    for (int slot = 0; slot < ConditionSet::SequenceSlots; ++slot) {
        const int first = ConditionSet::sequenceIndex(slot);
        if (document.Conditions.text(first + 2) != QLatin1String("S"))
            continue;
        text += QStringLiteral("   ") + document.Conditions.text(first) +
                QStringLiteral(" in campo ") + document.Conditions.text(first + 1) + CrLf;
    }
    return text;
}

} // namespace

Texts textsOf(const SystemDocument& document, double columnCost, const QLocale& locale)
{
    Texts texts;
    for (int match = 1; match <= Matches; ++match) {
        texts.home[match - 1] = QLatin1Char(' ') + document.homeTeam(match);
        texts.away[match - 1] = QLatin1Char(' ') + document.awayTeam(match);
        texts.signs[match - 1] = QLatin1Char(' ') + document.signsOf(match);
    }
    fillIntegral(texts, document, columnCost, locale);
    fillReduced(texts, document, columnCost, locale);
    texts.sequences = sequencesOf(document);
    QStringList advanced = document.Advanced.summaryLines();
    const ColumnBuffer& played =
        document.ReducedCount >= 1 ? document.WorkColumns : document.IntegralColumns;
    if (document.Advanced.values())
        advanced << document.Advanced.chanceText(played);
    texts.advanced = advanced.join(QLatin1Char('\n'));
    return texts;
}

} // namespace PropertiesLogic
