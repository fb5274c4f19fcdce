#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

// Settings and system files: one value per CR LF line, texts between double quotes without
// escaping, numbers bare in shortest form, in the Windows code page. Reading accepts LF endings
// and files saved again as UTF-8, and trusts nothing: only regular files are opened, and only as
// far as the largest valid file of their kind. Every write goes to a temporary file that replaces
// the old one only when complete and on disk.
class QFile;
class SafeFile;

namespace LegacyTextFile {

// NotRegular: a folder, pipe or device; TooLarge: bigger than any valid file of its kind.
enum class ReadStatus { Ok, NotFound, NotRegular, TooLarge, Malformed };

// Opens `file` on `path` for reading only when it is a regular file, following links. A pipe is
// opened without waiting for a writer, so that naming one fails at once instead of blocking.
ReadStatus openRegular(QFile& file, const QString& path);

// The most one kind of file holds: how many values, and how many characters the longest one.
struct Shape {
    int values = 0;
    int valueChars = 0;
};

// The longest text a line edit takes: settings typed into one are written as typed.
inline constexpr int LongestTypedText = 32767;

// Bytes of the largest file of a shape: every value quoted at full width, each character as
// three bytes of UTF-8, line ends CR LF and a byte order mark in front.
qint64 largestSize(Shape shape);

struct ReadResult {
    ReadStatus status = ReadStatus::NotFound;
    QVariantList values; // QString for quoted lines, double for bare ones
    int badLine = -1;    // 0-based line of the first malformed value
};

// One value as its line (without the line end): "text" or a bare number.
QByteArray encodeValue(const QVariant& value);

bool write(const QString& path, const QVariantList& values, QString* error = nullptr);
// The same lines into a file being written; false when a write failed.
bool writeValues(SafeFile& file, const QVariantList& values);
// Refuses (Malformed) more values than the shape holds, longer values, a text not closed by its
// quote or followed by anything, control characters in a text, and numbers that are not finite.
ReadResult read(const QString& path, Shape shape);

// The Italian reason a file was refused (NotRegular, TooLarge or Malformed); `invalid` is the
// kind's own words for a file that does not hold what it should.
QString refusalMessage(ReadStatus status, const QString& path, const QString& invalid);

// Text of a value read back: the quoted text, or the number in plain form.
QString textOf(const QVariant& value);

// Fast path for large files of fixed-width quoted records, such as column lists: `records`
// holds `width` bytes per record, back to back.
bool writeFixedRecords(const QString& path, const QByteArray& records, int width,
                       QString* error = nullptr);
bool writeRecords(SafeFile& file, const QByteArray& records, int width);

// Reads `count` quoted records of `width` characters into `records` (count * width bytes). A
// file of that kind holds at most `maxRecords` records; a larger one is refused unread.
ReadStatus readFixedRecords(const QString& path, qsizetype count, int width, qsizetype maxRecords,
                            QByteArray& records);

} // namespace LegacyTextFile
