#include "platform/NumberFormat.h"

#include <cfenv>
#include <cmath>

#include <QRegularExpression>

namespace NumberFormat {

namespace {
constexpr double LirePerEuro = 1936.27;
}

QString plain(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString Str(double value)
{
    const QString text = plain(value);
    return value < 0 ? text : QLatin1Char(' ') + text;
}

QString formatPattern(double value, QStringView pattern, const QLocale& locale)
{
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QStringView integerPart = point < 0 ? pattern : pattern.left(point);
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    const bool grouped = integerPart.contains(QLatin1Char(','));
    const int minimumDigits = int(integerPart.count(QLatin1Char('0')));

    QLocale numberLocale = locale;
    numberLocale.setNumberOptions(grouped ? QLocale::DefaultNumberOptions
                                          : QLocale::OmitGroupSeparator);
    QString text = numberLocale.toString(std::fabs(value), 'f', decimals);
    const QString decimalPoint = numberLocale.decimalPoint();
    qsizetype integerDigits = decimals > 0 ? text.indexOf(decimalPoint) : text.size();
    if (!grouped && integerDigits < minimumDigits)
        text.prepend(QString(minimumDigits - integerDigits, QLatin1Char('0')));
    const bool negative = value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QLatin1Char('-') + text : text;
}

namespace {

// Position after the number that starts at `from` in `digits` (blanks already removed).
qsizetype scanNumber(QStringView s, qsizetype i, bool* any)
{
    const auto isDigit = [&](qsizetype k) { return k < s.size() && s[k].isDigit(); };
    *any = false;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    while (isDigit(i)) {
        ++i;
        *any = true;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        while (isDigit(i)) {
            ++i;
            *any = true;
        }
    }
    if (*any && i < s.size() && (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e'))) {
        qsizetype e = i + 1;
        if (e < s.size() && (s[e] == QLatin1Char('+') || s[e] == QLatin1Char('-')))
            ++e;
        if (isDigit(e)) {
            while (isDigit(e))
                ++e;
            i = e;
        }
    }
    return i;
}

QString withoutBlanks(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            compact.append(c);
    }
    return compact;
}

} // namespace

double readAsNumber(QStringView text)
{
    const QString compact = withoutBlanks(text);
    bool any = false;
    const qsizetype end = scanNumber(compact, 0, &any);
    if (!any)
        return 0;
    return QStringView(compact).left(end).toDouble();
}

bool isWholeNumber(QStringView text)
{
    const QString compact = withoutBlanks(text);
    bool any = false;
    return scanNumber(compact, 0, &any) == compact.size() && any;
}

std::optional<double> numberWithin(QStringView text, double lowest, double highest)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    // NaN compares false with both limits and infinity lies beyond any finite one, so both fall
    // out with the numbers out of range.
    if (ok && value >= lowest && value <= highest)
        return value;
    return std::nullopt;
}

std::optional<qint64> wholeWithin(QStringView text, qint64 lowest, qint64 highest)
{
    bool ok = false;
    const qint64 value = QLocale::c().toLongLong(text.trimmed(), &ok);
    if (ok && value >= lowest && value <= highest)
        return value;
    return std::nullopt;
}

QString FormatElapsed(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 - 60 * hours;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

double roundHalfEven(double value)
{
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return rounded;
}

double lireOf(double euro)
{
    return roundHalfEven(euro * LirePerEuro);
}

} // namespace NumberFormat
