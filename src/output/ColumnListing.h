#pragma once

#include <QByteArrayView>
#include <QString>

// The texts of the column viewer: one numbered line per column, the heading and the caption.
namespace ColumnListing {

// Column `number` (1-based) as "0000025  -  1X2 1X2 1X2 1X21".
QString line(qsizetype number, QByteArrayView column);

// "Colonne del Sistema Ridotto - 128" (the count with the leading blank of Str).
QString heading(bool integral, qsizetype count);

// What follows the system's name in the window caption.
QString captionSuffix(bool integral);

} // namespace ColumnListing
