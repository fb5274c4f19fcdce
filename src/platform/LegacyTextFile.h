#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

// Settings and system files: one value per CR LF line, texts between double quotes without
// escaping, numbers bare in shortest form, in the Windows code page. Reading accepts LF endings.
// Every write goes to a temporary file that replaces the old one only when complete and on disk.
class SafeFile;

namespace LegacyTextFile {

enum class ReadStatus { Ok, NotFound, Malformed };

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
ReadResult read(const QString& path);

// Text of a value read back: the quoted text, or the number in plain form.
QString textOf(const QVariant& value);

// Fast path for large files of fixed-width quoted records, such as column lists: `records`
// holds `width` bytes per record, back to back.
bool writeFixedRecords(const QString& path, const QByteArray& records, int width,
                       QString* error = nullptr);
bool writeRecords(SafeFile& file, const QByteArray& records, int width);

// Reads `count` quoted records of `width` characters into `records` (count * width bytes).
ReadStatus readFixedRecords(const QString& path, qsizetype count, int width, QByteArray& records);

} // namespace LegacyTextFile
