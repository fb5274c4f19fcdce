#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

// Turning numbers into the texts the program shows and stores, and texts back into numbers.
namespace NumberFormat {

// Plain decimal text with a leading blank for non-negative numbers (a minus sign otherwise),
// a full stop as decimal separator and no grouping: " 12", "-3", " 1.5".
QString Str(double value);

// Plain decimal text without the leading blank: "12", "1.5", "0".
QString plain(double value);

// Formats with one of the picture patterns the program uses ("#,###,##0", "##,###,###,##0.00",
// "###,##0.00", "#0.00", "0000000"): a comma asks for thousands grouping, the zeros before the
// point fix the minimum integer digits and the characters after it the decimals. Separators
// follow the locale.
QString formatPattern(double value, QStringView pattern, const QLocale& locale = QLocale());

// Reads a number the way legacy input does: blanks are skipped, a full stop separates the
// decimals, reading stops at the first character that cannot continue a number, and a text
// without a number reads as 0.
double readAsNumber(QStringView text);

// True when the whole text (blanks aside) is one number as readAsNumber understands it.
bool isWholeNumber(QStringView text);

// The number a whole text holds (blanks around it aside, a full stop before the decimals) when it
// is finite and within lowest..highest; nothing for no number, "nan", "inf" or one out of range.
std::optional<double> numberWithin(QStringView text, double lowest, double highest);
// The same for a whole number, written without decimals.
std::optional<qint64> wholeWithin(QStringView text, qint64 lowest, qint64 highest);

// Whole seconds as "hh:mm:ss"; 3725 gives "01:02:05".
QString FormatElapsed(qint64 seconds);

// Rounds to the nearest integer, halves to even.
double roundHalfEven(double value);

// The lire equivalent of an amount in euro, rounded halves to even.
double lireOf(double euro);

} // namespace NumberFormat
