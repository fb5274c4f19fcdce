#pragma once

#include "platform/ColumnBuffer.h"
#include "platform/MergedColumns.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct SystemDocument;

// Columns as plain text, for playing online and for other programs: one column a line, either
// compact ("1X2X11X2X1X21") or as CSV with the 13 plays separated by ';'. A merged row cannot be
// compact, since its doubles take two characters: in plain text its 13 plays are separated by
// blanks ("1 X 2 1X 1 ..."). Lines end in CR LF like the program's other text files. A file
// of such lines comes back as the reduced system of the open prediction.
namespace ColumnText {

enum class Format { Plain, Csv };

// Longest accepted line, a merged CSV row with its line end; files are bounded by it.
inline constexpr qsizetype LongestLine = 40;
// Refused lines listed one by one; past these only their number is said.
inline constexpr int ListedErrors = 20;

QByteArray columnsText(const ColumnBuffer& columns, Format format);
QByteArray mergedText(const MergedColumns& rows, Format format);

bool writeColumns(const QString& path, const ColumnBuffer& columns, Format format, QString* error);
bool writeMerged(const QString& path, const MergedColumns& rows, Format format, QString* error);

// The format a file name asks for: CSV for ".csv", plain text otherwise.
Format formatOf(const QString& path);

struct Import {
    // Accepted columns, each once, in the order of the integral system.
    ColumnBuffer columns;
    // "Riga 4: ..." for the first ListedErrors refused lines.
    QStringList errors;
    qsizetype refusedLines = 0;
    // Lines repeating a column already read: a system plays a column once, so they are dropped.
    qsizetype duplicates = 0;
    bool ok() const { return refusedLines == 0 && !columns.isEmpty(); }
};

// Reads columns from the text of a file: compact lines, CSV lines or signs separated by
// blanks, blank lines skipped. Every column must have 13 signs among those the prediction
// plays on each match.
Import parse(QByteArrayView content, const SystemDocument& document);

// Reads and parses a file; false with the reason when it cannot be read or is too large.
bool read(const QString& path, const SystemDocument& document, Import& result, QString* error);

// The Italian refusal: what was wrong, line by line.
QString refusal(const QString& fileName, const Import& result);
// "Colonne importate: 27" and the duplicates dropped, if any.
QString summary(const Import& result);

} // namespace ColumnText
