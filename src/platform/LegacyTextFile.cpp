#include "platform/LegacyTextFile.h"

#include "platform/Cp1252.h"
#include "platform/NumberFormat.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace LegacyTextFile {

namespace {

bool commit(QSaveFile& file, QString* error)
{
    if (file.commit())
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

bool write(const QString& path, const QVariantList& values, QString* error)
{
    QByteArray content;
    for (const QVariant& value : values)
        content += encodeValue(value) + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(content);
    return commit(file, error);
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

bool writeFixedRecords(const QString& path, const QByteArray& records, int width, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
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
        if (file.write(chunk.constData(), n * lineSize) != n * lineSize)
            break;
    }
    return commit(file, error);
}

ReadStatus readFixedRecords(const QString& path, qsizetype count, int width, QByteArray& records)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::NotFound;
    // One read into a buffer of the file's size: readAll grows its buffer step by step, and
    // each step maps and copies tens of megabytes again.
    QByteArray content(file.size(), Qt::Uninitialized);
    content.resize(file.read(content.data(), content.size()));
    records.resize(count * width);
    char* out = records.data();
    const char* p = content.constData();
    const char* end = p + content.size();
    for (qsizetype i = 0; i < count; ++i) {
        // A record line is "..." followed by CR LF or LF; anything else is not ours.
        if (end - p < width + 2 || p[0] != '"' || p[width + 1] != '"')
            return ReadStatus::Malformed;
        std::memcpy(out, p + 1, width);
        out += width;
        p += width + 2;
        if (p < end && *p == '\r')
            ++p;
        if (p < end && *p == '\n')
            ++p;
        else if (p < end)
            return ReadStatus::Malformed;
    }
    return ReadStatus::Ok;
}

} // namespace LegacyTextFile
