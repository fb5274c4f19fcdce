#include "output/ColumnText.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <vector>

using namespace Qt::StringLiterals;

namespace ColumnText {

namespace {

constexpr int W = ColumnBuffer::Width;

// Base-3 number of a column of valid signs: the columns read are marked in a table of 3^13 bits.
qint32 codeOf(const char* signs)
{
    qint32 code = 0;
    for (int k = 0; k < W; ++k)
        code = code * 3 + (signs[k] == '1' ? 0 : signs[k] == 'X' ? 1 : 2);
    return code;
}

// Written through a pointer into a buffer sized for the longest rows: a full system is
// 20 million plays, too many for appends that check their room one by one.
template <typename Play>
QByteArray rowsText(qsizetype count, Format format, bool compact, Play play)
{
    const char separator = format == Format::Csv ? ';' : ' ';
    QByteArray text(count * (compact ? W + 2 : LongestLine), Qt::Uninitialized);
    char* out = text.data();
    for (qsizetype row = 0; row < count; ++row) {
        for (int match = 0; match < W; ++match) {
            if (match > 0 && !compact)
                *out++ = separator;
            const QByteArrayView shown = play(row, match);
            for (char c : shown)
                *out++ = c;
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    text.truncate(out - text.constData());
    return text;
}

bool writeText(const QString& path, const QByteArray& text, QString* error)
{
    SafeFile file(path);
    if (file.open() && file.write(text) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView piece)
{
    while (!piece.isEmpty() && isBlank(piece.front()))
        piece = piece.sliced(1);
    while (!piece.isEmpty() && (isBlank(piece.back()) || piece.back() == '\r'))
        piece.chop(1);
    return piece;
}

// The plays of a line: its CSV fields, its blank-separated words, or its characters. Only the
// first 13 are kept; `count` says how many there were.
struct Plays {
    std::array<QByteArrayView, W> items;
    qsizetype count = 0;
    void add(QByteArrayView play)
    {
        if (count < W)
            items[count] = play;
        ++count;
    }
};

Plays playsOf(QByteArrayView line)
{
    Plays plays;
    bool csv = false, words = false;
    for (char c : line) {
        csv = csv || c == ';';
        words = words || isBlank(c);
    }
    words = words && !csv;
    if (!csv && !words) {
        for (qsizetype i = 0; i < line.size(); ++i)
            plays.add(line.sliced(i, 1));
        return plays;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        const bool end = i == line.size() || (csv ? line[i] == ';' : isBlank(line[i]));
        if (!end)
            continue;
        QByteArrayView field = trimmed(line.sliced(start, i - start));
        if (csv && field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = field.sliced(1, field.size() - 2);
        if (csv || !field.isEmpty())
            plays.add(field);
        start = i + 1;
    }
    return plays;
}

} // namespace

QByteArray columnsText(const ColumnBuffer& columns, Format format)
{
    return rowsText(columns.count(), format, format == Format::Plain,
                    [&](qsizetype row, int match) {
                        return QByteArrayView(columns.columnData(row) + match, 1);
                    });
}

QByteArray mergedText(const MergedColumns& rows, Format format)
{
    return rowsText(rows.count(), format, false, [&](qsizetype row, int match) {
        const QLatin1StringView play = rows.play(row, match);
        return QByteArrayView(play.data(), play.size());
    });
}

bool writeColumns(const QString& path, const ColumnBuffer& columns, Format format, QString* error)
{
    return writeText(path, columnsText(columns, format), error);
}

bool writeMerged(const QString& path, const MergedColumns& rows, Format format, QString* error)
{
    return writeText(path, mergedText(rows, format), error);
}

Format formatOf(const QString& path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? Format::Csv : Format::Plain;
}

Import parse(QByteArrayView content, const SystemDocument& document)
{
    Import result;
    const TextDecoding::FileDecoder decoder(content);
    std::array<QByteArray, W> played;
    std::array<QString, W> fields;
    for (int match = 1; match <= W; ++match) {
        fields[match - 1] = document.signsOf(match);
        played[match - 1] = fields[match - 1].toLatin1();
    }
    std::vector<bool> read(ColumnBuffer::MaxCount);
    const auto refuse = [&](qsizetype line, const QString& reason) {
        if (result.errors.size() < ListedErrors)
            result.errors << QStringLiteral("Riga %1: %2").arg(line).arg(reason);
        ++result.refusedLines;
    };

    const QByteArrayView body = decoder.body();
    qsizetype lineNumber = 0;
    char column[W];
    for (qsizetype start = 0; start < body.size();) {
        qsizetype end = body.indexOf('\n', start);
        if (end < 0)
            end = body.size();
        const QByteArrayView line = trimmed(body.sliced(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.isEmpty())
            continue;
        const Plays plays = playsOf(line);
        if (plays.count != W) {
            refuse(lineNumber, QStringLiteral("%1 %2 invece di 13")
                                   .arg(plays.count)
                                   .arg(plays.count == 1 ? u"segno"_s : u"segni"_s));
            continue;
        }
        QString reason;
        for (int k = 0; k < W && reason.isEmpty(); ++k) {
            const QByteArrayView play = plays.items[k];
            const char sign = play.size() == 1 ? (play[0] == 'x' ? 'X' : play[0]) : 0;
            if (sign != '1' && sign != 'X' && sign != '2')
                reason = QStringLiteral("partita %1, '%2' non è un segno (1, X, 2)")
                             .arg(k + 1)
                             .arg(decoder.decode(play));
            else if (!played[k].contains(sign))
                reason = QStringLiteral("partita %1, il segno %2 non è nel Pronostico (%3)")
                             .arg(k + 1)
                             .arg(QLatin1Char(sign))
                             .arg(fields[k]);
            column[k] = sign;
        }
        if (!reason.isEmpty()) {
            refuse(lineNumber, reason);
            continue;
        }
        const qint32 code = codeOf(column);
        if (read[code])
            ++result.duplicates;
        read[code] = true;
    }
    if (result.refusedLines > 0)
        return result;

    // The integral system's own order, by walking it and keeping the columns read.
    std::array<QString, W> signs;
    std::copy(fields.begin(), fields.end(), signs.begin());
    const ColumnBuffer generated =
        document.IntegralColumns.isEmpty() ? IntegralGenerator::generate(signs) : ColumnBuffer();
    const ColumnBuffer& integral =
        document.IntegralColumns.isEmpty() ? generated : document.IntegralColumns;
    for (qsizetype i = 0; i < integral.count(); ++i) {
        if (read[codeOf(integral.columnData(i))])
            result.columns.append(integral.column(i));
    }
    return result;
}

bool read(const QString& path, const SystemDocument& document, Import& result, QString* error)
{
    const QString name = QFileInfo(path).fileName();
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
    };
    if (!QFileInfo(path).isFile()) {
        fail(QStringLiteral("Il File '%1' non esiste o non è un file ordinario !").arg(name));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("Impossibile leggere il File '%1' ! (%2)")
                 .arg(name, file.errorString()));
        return false;
    }
    // Checked on what was read as well, for a file that grows while it is read.
    const qint64 largest = TextDecoding::Utf8Bom.size() + ColumnBuffer::MaxCount * LongestLine;
    const QByteArray content = file.size() > largest ? QByteArray() : file.read(largest + 1);
    if (file.size() > largest || content.size() > largest) {
        fail(QStringLiteral("Il File '%1' è troppo grande per un Sistema !").arg(name));
        return false;
    }
    result = parse(content, document);
    return true;
}

QString refusal(const QString& fileName, const Import& result)
{
    if (result.refusedLines == 0)
        return QStringLiteral("Il File '%1' non contiene alcuna Colonna !").arg(fileName);
    QString text = QStringLiteral("Il File '%1' non è stato importato: %2 righe errate.\n")
                       .arg(fileName)
                       .arg(result.refusedLines);
    text += result.errors.join(u'\n');
    if (result.refusedLines > result.errors.size())
        text += QStringLiteral("\n...");
    return text;
}

QString summary(const Import& result)
{
    QString text = QStringLiteral("Colonne importate: %1").arg(result.columns.count());
    if (result.duplicates > 0)
        text += QStringLiteral(" (ripetute e ignorate: %1)").arg(result.duplicates);
    return text;
}

} // namespace ColumnText
