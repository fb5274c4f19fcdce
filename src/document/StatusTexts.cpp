#include "document/StatusTexts.h"

#include "platform/NumberFormat.h"

#include <cmath>

namespace StatusTexts {

using NumberFormat::formatPattern;

std::array<QString, 4> integralPanels(const SystemDocument& document, double columnCost,
                                      const QLocale& locale)
{
    if (document.IntegralCount < 1)
        return {};
    const double cost = document.IntegralCount * columnCost;
    return {
        QStringLiteral("Colonne: ") + formatPattern(document.IntegralCount, u"#,###,##0", locale),
        QStringLiteral("Costo (€): ") + formatPattern(cost, u"##,###,###,##0.00", locale),
        QStringLiteral("Costo (£): ") +
            formatPattern(NumberFormat::lireOf(cost), u"##,###,###,##0", locale),
        QStringLiteral("Fi=%1      Do=%2      Tr=%3")
            .arg(document.NumFisse)
            .arg(document.NumDoppie)
            .arg(document.NumTriple),
    };
}

double slipCountFor(qint32 columns)
{
    return std::floor(columns / 4.0 + 0.9);
}

ReducedStatus reducedStatus(const SystemDocument& document, double columnCost,
                            const QLocale& locale)
{
    ReducedStatus status;
    status.sharesCaption = QStringLiteral("&Quote (%1)").arg(document.Quote);
    if (document.ReducedCount < 1)
        return status;
    status.hasReduced = true;
    status.merged = document.MergedCount >= 1;
    status.slipCount = slipCountFor(status.merged ? document.MergedCount : document.ReducedCount);
    const double cost = document.ReducedCount * columnCost;
    const double integral = document.IntegralCount;
    const qint64 reduction =
        integral > 0 ? static_cast<qint64>(std::floor(document.ReducedCount * 100.0 / integral))
                     : 0;
    const double perShare = document.Quote > 0 ? cost / document.Quote : 0;
    status.panels = {
        QStringLiteral("Colonne: ") + formatPattern(document.ReducedCount, u"#,###,##0", locale),
        QStringLiteral("Costo (€): ") + formatPattern(cost, u"##,###,###,##0.00", locale),
        QStringLiteral("Costo (£): ") +
            formatPattern(NumberFormat::lireOf(cost), u"##,###,###,##0", locale),
        QStringLiteral("Rid. :") + NumberFormat::Str(double(reduction)) + QStringLiteral(" %"),
        QStringLiteral("Quote: %1").arg(document.Quote),
        QStringLiteral("Car. (€): ") + formatPattern(perShare, u"###,##0.00", locale),
        status.merged ? QStringLiteral("Accorpate:") + NumberFormat::Str(document.MergedCount)
                      : QString(),
    };
    return status;
}

} // namespace StatusTexts
