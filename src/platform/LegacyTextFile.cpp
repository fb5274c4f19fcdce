#include "platform/LegacyTextFile.h"

#include "platform/Cp1252.h"
#include "platform/NumberFormat.h"
#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// The whole content of a regular file of at most `largest` bytes. A file that grows while it is
// read is refused as well, so no more than `largest` bytes are ever held.
ReadStatus readContent(const QString& path, qint64 largest, QByteArray& content)
{
    QFile file;
    const ReadStatus opened = openRegular(file, path);
    if (opened != ReadStatus::Ok)
        return opened;
    const qint64 size = file.size();
    if (size > largest)
        return ReadStatus::TooLarge;
    content.resize(size);
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(content.data() + got, size - got);
        if (n <= 0)
            break;
        got += n;
    }
    content.truncate(got);
    char more = 0;
    return file.read(&more, 1) > 0 ? ReadStatus::TooLarge : ReadStatus::Ok;
}

QStringView withoutBlanks(QStringView line)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!line.isEmpty() && blank(line.front()))
        line = line.sliced(1);
    while (!line.isEmpty() && blank(line.back()))
        line.chop(1);
    return line;
}

// One line as its value: a quoted text or a finite bare number; an invalid QVariant otherwise.
QVariant valueOf(QStringView line, int valueChars)
{
    line = withoutBlanks(line);
    if (line.startsWith(u'"')) {
        const QStringView inside = line.sliced(1).chopped(line.size() > 1 ? 1 : 0);
        if (line.size() < 2 || !line.endsWith(u'"') || inside.size() > valueChars)
            return {};
        for (QChar c : inside) {
            if (c == u'"' || c.unicode() < 0x20)
                return {};
        }
        return inside.toString();
    }
    if (line.size() > valueChars || !NumberFormat::isWholeNumber(line))
        return {};
    const double number = NumberFormat::readAsNumber(line);
    if (!std::isfinite(number))
        return {};
    return number;
}

} // namespace

ReadStatus openRegular(QFile& file, const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENXIO ? ReadStatus::NotRegular : ReadStatus::NotFound;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadStatus::NotRegular;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ReadStatus::NotFound;
    }
    return ReadStatus::Ok;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return ReadStatus::NotFound;
    if (!info.isFile())
        return ReadStatus::NotRegular;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::NotFound;
    return file.isSequential() ? ReadStatus::NotRegular : ReadStatus::Ok;
#endif
}

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

qint64 largestSize(Shape shape)
{
    constexpr qint64 QuotesAndLineEnd = 4;
    return TextDecoding::Utf8Bom.size() +
           qint64(shape.values) * (3 * qint64(shape.valueChars) + QuotesAndLineEnd);
}

ReadResult read(const QString& path, Shape shape)
{
    ReadResult result;
    QByteArray content;
    result.status = readContent(path, largestSize(shape), content);
    if (result.status != ReadStatus::Ok)
        return result;
    const TextDecoding::FileDecoder decoder(content);
    const QByteArrayView text = decoder.body();
    const auto refuse = [&result](int line) {
        result.status = ReadStatus::Malformed;
        result.badLine = line;
        result.values.clear();
        return result;
    };
    // Lines end in CR LF or LF; a final line end adds no empty line. Each line is decoded on its
    // own, once its place in the file has been found to be one a value may take.
    qsizetype start = 0;
    for (int line = 0; start < text.size(); ++line) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView bytes = text.sliced(start, end - start);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        start = end + 1;
        if (line >= shape.values)
            return refuse(line);
        QVariant value = valueOf(decoder.decode(bytes), shape.valueChars);
        if (!value.isValid())
            return refuse(line);
        result.values.append(std::move(value));
    }
    return result;
}

QString refusalMessage(ReadStatus status, const QString& path, const QString& invalid)
{
    if (status == ReadStatus::NotRegular)
        return SafeFile::notRegular(path);
    return invalid;
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

ReadStatus readFixedRecords(const QString& path, qsizetype count, int width, qsizetype maxRecords,
                            QByteArray& records)
{
    QFile file;
    const ReadStatus opened = openRegular(file, path);
    if (opened != ReadStatus::Ok)
        return opened;
    const qint64 bomSize = TextDecoding::Utf8Bom.size();
    if (file.size() > bomSize + maxRecords * (width + 4))
        return ReadStatus::TooLarge;
    // Each record takes at least its quotes; a file too short for the count is refused before
    // the columns are given any memory.
    if (count > maxRecords || file.size() < count * (width + 2))
        return ReadStatus::Malformed;
    char head[3] = {};
    const qint64 peeked = file.peek(head, bomSize);
    file.skip(TextDecoding::bomLength(QByteArrayView(head, std::max<qint64>(peeked, 0))));
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
