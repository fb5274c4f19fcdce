#pragma once

#include <QFont>
#include <QString>

// A printer font as printouts name it: the face name they ask for, size in points, weight and
// slant.
struct PrintFont {
    QString Name = QStringLiteral("Arial");
    double Size = 10;
    bool Bold = false;
    bool Italic = false;

    friend bool operator==(const PrintFont&, const PrintFont&) = default;
};

// Printouts name the faces of their original platform; each is drawn with a metric-compatible
// face installed with the program, so tab columns, centring and text widths come out the same on
// every machine instead of depending on whatever face the system would pick.
namespace PrintFonts {

// The face actually used for a name: "Courier New" gives "Liberation Mono", "Arial" gives
// "Liberation Sans", "Times New Roman" gives "Liberation Serif", "Tahoma" (or "Thaoma") gives
// "Liberation Sans"; other names are kept.
QString family(const QString& name);

// The font to paint with, without hinting or kerning, which would move text away from the
// widths the layouts measured.
QFont qfont(const PrintFont& font);

} // namespace PrintFonts
