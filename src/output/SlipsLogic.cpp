#include "output/SlipsLogic.h"

#include "platform/NumberFormat.h"

#include <cmath>

namespace {

// A box of digits only: its number, or nullopt when empty.
std::optional<qsizetype> numberIn(const QString& text)
{
    bool ok = false;
    const qsizetype value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qsizetype>(value) : std::nullopt;
}

} // namespace

SlipsLogic::SlipsLogic(qsizetype slipCount, const SlipCalibration& calibration)
    : m_slipCount(slipCount)
    , m_vertical(int(std::lround(calibration.vertical * 10)))
    , m_horizontal(int(std::lround(calibration.horizontal * 10)))
{}

QString SlipsLogic::offsetText(int tenths)
{
    return NumberFormat::plain(tenths / 10.0);
}

QString SlipsLogic::rangeText(const QString& from, const QString& to) const
{
    const qsizetype count = numberIn(to).value_or(0) - numberIn(from).value_or(0) + 1;
    return QString::number(count) + QStringLiteral(" su") + NumberFormat::Str(double(m_slipCount));
}

bool SlipsLogic::firstAllowed(const QString& from) const
{
    const auto first = numberIn(from);
    return first && *first > 0 && *first <= m_slipCount;
}

bool SlipsLogic::rangeAllowed(const QString& from, const QString& to) const
{
    return range(from, to).has_value();
}

std::optional<std::pair<qsizetype, qsizetype>> SlipsLogic::range(const QString& from,
                                                                 const QString& to) const
{
    const auto first = numberIn(from);
    const auto last = numberIn(to);
    if (!first || !last || *first < 1 || *last > m_slipCount || *first > *last)
        return std::nullopt;
    return std::make_pair(*first, *last);
}

std::optional<double> SlipsLogic::dotOf(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    // "nan" compares false with both limits and would pass as a diameter.
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QString SlipsLogic::dotRefusal(const QString& text, const QLocale& locale)
{
    const auto dot = dotOf(text, locale);
    if (!dot || *dot <= 0)
        return NotAllowed;
    if (*dot > SlipCalibration::MaximumDot)
        return DotTooLarge;
    return {};
}

QString SlipsLogic::dotText(double dot, const QLocale& locale)
{
    return locale.toString(dot, 'g', 6);
}

SlipCalibration SlipsLogic::calibration(double dot) const
{
    return {m_vertical / 10.0, m_horizontal / 10.0, dot};
}
