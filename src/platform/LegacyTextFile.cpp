#include "platform/LegacyTextFile.h"

#include "platform/Cp1252.h"
#include "platform/NumberFormat.h"
#include "platform/SafeFile.h"

#include <QFile>

#include <cstring>

namespace LegacyTextFile {

namespace {

// Writes through `fill` into a new file that replaces the one at `path` only when complete.
template <typename Fill> bool writeSafely(const QString& path, QString* error, Fill fill)
{
    SafeFile file(path);
    if (file.open() && fill(file) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool isNumeric(const QVariant& value)
{
    const auto type = value.typeId();
    return type == QMetaType::Double || type == QMetaType::Int || type == QMetaType::LongLong ||
           type == QMetaType::UInt || type == QMetaType::ULongLong || type == QMetaType::Float ||
           type == QMetaType::UChar || type == QMetaType::Short || type == QMetaType::UShort;
}

// Splits a file into lines, accepting CR LF or LF; a final line end adds no empty line.
QList<QByteArrayView> splitLines(const QByteArray& content)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        qsizetype stop = end;
        if (stop > start && content[stop - 1] == '\r')
            --stop;
        lines.append(QByteArrayView(content).sliced(start, stop - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

QByteArray encodeValue(const QVariant& value)
{
    if (isNumeric(value))
        return NumberFormat::plain(value.toDouble()).toLatin1();
    return '"' + Cp1252::encode(value.toString()) + '"';
}

bool writeValues(SafeFile& file, const QVariantList& values)
{
    QByteArray content;
    for (const QVariant& value : values)
        content += encodeValue(value) + "\r\n";
    return file.write(content);
}

bool write(const QString& path, const QVariantList& values, QString* error)
{
    return writeSafely(path, error, [&](SafeFile& file) { return writeValues(file, values); });
}

ReadResult read(const QString& path)
{
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray content = file.readAll();
    result.status = ReadStatus::Ok;
    const QList<QByteArrayView> lines = splitLines(content);
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        const QByteArrayView trimmed = line.trimmed();
        if (trimmed.startsWith('"')) {
            const qsizetype close = trimmed.indexOf('"', 1);
            const QByteArrayView inside =
                close < 0 ? trimmed.sliced(1) : trimmed.sliced(1, close - 1);
            result.values.append(Cp1252::decode(inside));
            continue;
        }
        const QString text = QString::fromLatin1(trimmed);
        if (!NumberFormat::isWholeNumber(text)) {
            result.status = ReadStatus::Malformed;
            result.badLine = i;
            result.values.clear();
            return result;
        }
        result.values.append(NumberFormat::readAsNumber(text));
    }
    return result;
}

QString textOf(const QVariant& value)
{
    if (isNumeric(value))
        return NumberFormat::plain(value.toDouble());
    return value.toString();
}

bool writeRecords(SafeFile& file, const QByteArray& records, int width)
{
    const qsizetype count = records.size() / width;
    const qsizetype lineSize = width + 4; // quotes and CR LF
    constexpr qsizetype ChunkRecords = 64 * 1024;
    QByteArray chunk(std::min(count, ChunkRecords) * lineSize, Qt::Uninitialized);
    for (qsizetype first = 0; first < count; first += ChunkRecords) {
        const qsizetype n = std::min(ChunkRecords, count - first);
        char* out = chunk.data();
        const char* in = records.constData() + first * width;
        for (qsizetype i = 0; i < n; ++i) {
            *out++ = '"';
            std::memcpy(out, in, width);
            out += width;
            in += width;
            *out++ = '"';
            *out++ = '\r';
            *out++ = '\n';
        }
        if (!file.write(QByteArrayView(chunk.constData(), n * lineSize)))
            return false;
    }
    return true;
}

bool writeFixedRecords(const QString& path, const QByteArray& records, int width, QString* error)
{
    return writeSafely(path, error,
                       [&](SafeFile& file) { return writeRecords(file, records, width); });
}

ReadStatus readFixedRecords(const QString& path, qsizetype count, int width, QByteArray& records)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::NotFound;
    records.resize(count * width);
    char* out = records.data();
    // The file is parsed through one small buffer refilled as it empties, so that a 27 MB list
    // never needs a second copy of itself in memory.
    constexpr qsizetype ChunkSize = 1 << 20;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    qsizetype filled = 0;
    qsizetype at = 0;
    bool atEnd = false;
    const qsizetype longestLine = width + 4;
    for (qsizetype i = 0; i < count; ++i) {
        if (!atEnd && filled - at < longestLine) {
            std::memmove(chunk.data(), chunk.constData() + at, filled - at);
            filled -= at;
            at = 0;
            const qint64 read = file.read(chunk.data() + filled, ChunkSize - filled);
            if (read <= 0)
                atEnd = true;
            else
                filled += read;
        }
        const char* p = chunk.constData() + at;
        const qsizetype left = filled - at;
        // A record line is "..." followed by CR LF or LF; anything else is not ours.
        if (left < width + 2 || p[0] != '"' || p[width + 1] != '"')
            return ReadStatus::Malformed;
        std::memcpy(out, p + 1, width);
        out += width;
        qsizetype next = width + 2;
        if (next < left && p[next] == '\r')
            ++next;
        if (next < left) {
            // The buffer always holds a whole line here, so a missing line end means the
            // record is not one of ours; at the very end of the file it may be missing.
            if (p[next] != '\n')
                return ReadStatus::Malformed;
            ++next;
        }
        at += next;
    }
    return ReadStatus::Ok;
}

} // namespace LegacyTextFile
