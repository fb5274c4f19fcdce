#include "platform/PrintFont.h"

#include <array>
#include <utility>

namespace PrintFonts {

QString family(const QString& name)
{
    // The results page's sans face, spelt both ways it is met, is drawn like Arial.
    static const std::array<std::pair<QLatin1StringView, QLatin1StringView>, 5> Table = {{
        {QLatin1StringView("Courier New"), QLatin1StringView("Liberation Mono")},
        {QLatin1StringView("Arial"), QLatin1StringView("Liberation Sans")},
        {QLatin1StringView("Times New Roman"), QLatin1StringView("Liberation Serif")},
        {QLatin1StringView("Tahoma"), QLatin1StringView("Liberation Sans")},
        {QLatin1StringView("Thaoma"), QLatin1StringView("Liberation Sans")},
    }};
    for (const auto& [asked, used] : Table) {
        if (name.compare(asked, Qt::CaseInsensitive) == 0)
            return used;
    }
    return name;
}

QFont qfont(const PrintFont& font)
{
    QFont result(family(font.Name));
    result.setPointSizeF(font.Size);
    result.setBold(font.Bold);
    result.setItalic(font.Italic);
    result.setKerning(false);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoFontMerging));
    return result;
}

} // namespace PrintFonts
