#include "output/ColumnListing.h"

#include "platform/ColumnBuffer.h"
#include "platform/NumberFormat.h"

#include <array>

namespace ColumnListing {

QString line(qsizetype number, QByteArrayView column)
{
    // Seven digits, "  -  ", then the signs grouped 3, 3, 3, 4: 28 characters in all.
    constexpr int Digits = 7;
    std::array<char, 28> text;
    qsizetype rest = number;
    for (int d = Digits - 1; d >= 0; --d) {
        text[d] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    const char separator[] = "  -  ";
    std::copy(separator, separator + 5, text.begin() + Digits);
    int at = Digits + 5;
    for (int k = 0; k < ColumnBuffer::Width; ++k) {
        if (k == 3 || k == 6 || k == 9)
            text[at++] = ' ';
        text[at++] = column[k];
    }
    return QString::fromLatin1(text.data(), at);
}

QString heading(bool integral, qsizetype count)
{
    return (integral ? QStringLiteral("Colonne del Sistema Integrale -")
                     : QStringLiteral("Colonne del Sistema Ridotto -")) +
           NumberFormat::Str(static_cast<double>(count));
}

QString captionSuffix(bool integral)
{
    return integral ? QStringLiteral(" - Colonne Sistema Integrale")
                    : QStringLiteral(" - Colonne Sistema Ridotto");
}

} // namespace ColumnListing
