#include "archive/ArchiveCsv.h"

#include "archive/ArchiveStore.h"
#include "platform/Cp1252.h"
#include "platform/LegacyTextFile.h"
#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace ArchiveCsv {

namespace {

constexpr int SingleColumnFields = 5; // season, contest, column, series, post
constexpr int SignFields = 17;        // season, contest, 13 signs, series, post
constexpr char Guard = '\'';

// A spreadsheet runs a cell starting with one of these as a formula; the guard itself is guarded
// too, so that taking one apostrophe away on reading gives back exactly what was written.
bool needsGuard(QStringView field)
{
    if (field.isEmpty())
        return false;
    const QChar first = field.front();
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
           first == u'\r' || first == QLatin1Char(Guard);
}

QByteArray fieldText(const QString& text)
{
    QString field = needsGuard(text) ? QLatin1Char(Guard) + text : text;
    const bool quoted = field.contains(u';') || field.contains(u',') || field.contains(u'"') ||
                        field.contains(u'\n') || field.contains(u'\r') ||
                        (!field.isEmpty() && (field.front().isSpace() || field.back().isSpace()));
    if (quoted)
        field = u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return field.toUtf8();
}

// The fields of a line at `separator` outside double quotes: a quoted field keeps its blanks and
// reads "" as one quote, an unquoted one is trimmed; a guard apostrophe is taken away.
QStringList splitFields(QStringView line, QChar separator)
{
    QStringList fields;
    QString field;
    bool quoted = false;   // the field started with a quote
    bool inQuotes = false; // between its quotes
    const auto close = [&] {
        QString text = quoted ? field : field.trimmed();
        if (text.size() >= 2 && text.front() == QLatin1Char(Guard) && needsGuard(text.sliced(1)))
            text.remove(0, 1);
        fields << text;
        field.clear();
        quoted = false;
    };
    for (qsizetype at = 0; at < line.size(); ++at) {
        const QChar c = line[at];
        if (inQuotes) {
            if (c != u'"')
                field += c;
            else if (at + 1 < line.size() && line[at + 1] == u'"')
                field += line[++at];
            else
                inQuotes = false;
        } else if (c == separator) {
            close();
        } else if (c == u'"' && !quoted && field.trimmed().isEmpty()) {
            field.clear();
            quoted = inQuotes = true;
        } else if (!quoted) {
            field += c;
        } else if (!c.isSpace()) {
            field += c; // text after the closing quote is kept, and refused with the field
        }
    }
    close();
    return fields;
}

// Whether `separator` stands somewhere outside quotes.
bool separates(QStringView line, QChar separator)
{
    bool inQuotes = false;
    for (const QChar c : line) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (c == separator && !inQuotes)
            return true;
    }
    return false;
}

bool isHeader(const QStringList& fields)
{
    return fields.first().compare(QLatin1String("Anno"), Qt::CaseInsensitive) == 0 ||
           fields.first().compare(QLatin1String("Stagione"), Qt::CaseInsensitive) == 0;
}

// A field as the reason quotes it: control characters shown as '?', and kept short.
QString shown(const QString& field)
{
    QString text = field.left(40);
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u'?';
    return field.size() > 40 ? text + QStringLiteral("…") : text;
}

// Takes the lines one at a time, in file order.
class Parser {
public:
    explicit Parser(Parsed& parsed)
        : m_parsed(parsed)
    {}

    // False when the content as a whole is refused (the reason in `unreadable`).
    bool feed(QByteArrayView bytes, int number)
    {
        if (m_first && (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")))
            return unreadable(QStringLiteral("il testo è in UTF-16: salvarlo come UTF-8 o ANSI"));
        if (bytes.contains('\0'))
            return unreadable(QStringLiteral("la riga %1 contiene caratteri nulli (testo UTF-16 "
                                             "o file binario)")
                                  .arg(number));
        if (m_first)
            bytes = bytes.sliced(TextDecoding::bomLength(bytes));
        while (!bytes.isEmpty() && (bytes.back() == '\n' || bytes.back() == '\r'))
            bytes.chop(1);
        if (bytes.size() > LongestLine)
            return unreadable(QStringLiteral("la riga %1 è troppo lunga (più di %2 caratteri)")
                                  .arg(number)
                                  .arg(LongestLine));
        const QString line =
            (TextDecoding::isUtf8(bytes) ? QString::fromUtf8(bytes) : Cp1252::decode(bytes))
                .trimmed();
        if (line.isEmpty())
            return true;
        const QStringList fields =
            splitFields(line, separates(line, u';') ? QChar(u';') : QChar(u','));
        if (std::exchange(m_first, false) && isHeader(fields))
            return true;
        ArchiveRecord::TypedFields typed;
        QString reason = readFields(fields, typed);
        if (reason.isEmpty()) {
            const QString key =
                typed[ArchiveRecord::Anno] + QLatin1Char('\n') + typed[ArchiveRecord::Conc];
            const auto earlier = m_seen.constFind(key);
            if (earlier != m_seen.cend())
                reason =
                    QStringLiteral("il Concorso %1 del %2 è ripetuto nel file (già alla "
                                   "riga %3)")
                        .arg(shown(typed[ArchiveRecord::Conc]), shown(typed[ArchiveRecord::Anno]))
                        .arg(*earlier);
            else
                m_seen.insert(key, number);
        }
        if (!reason.isEmpty()) {
            if (m_parsed.refused.size() < ListedRefusals)
                m_parsed.refused.append({number, reason});
            ++m_parsed.refusedCount;
            return true;
        }
        m_parsed.records.append(typed);
        m_parsed.lines.append(number);
        return true;
    }

private:
    bool unreadable(const QString& reason)
    {
        m_parsed.unreadable = reason;
        return false;
    }

    Parsed& m_parsed;
    QHash<QString, int> m_seen;
    bool m_first = true;
};

} // namespace

QString readFields(const QStringList& fields, ArchiveRecord::TypedFields& typed)
{
    QString column;
    if (fields.size() == SingleColumnFields)
        column = fields[2];
    else if (fields.size() == SignFields)
        column = fields.mid(2, 13).join(QString());
    else
        return QStringLiteral("numero di campi errato (%1 invece di %2 o %3)")
            .arg(fields.size())
            .arg(SingleColumnFields)
            .arg(SignFields);
    static const QRegularExpression Column(QStringLiteral("^[12Xx-]{13}$"));
    const QString& season = fields.first();
    const QString& contest = fields[1];
    const QString series = fields[fields.size() - 2].toUpper();
    const std::optional<bool> post = ArchiveFields::postponedOf(fields.last());
    // What the record editor stores is read back: nine characters of season and one or two of
    // contest, as typed there.
    if (season.size() != 9 || season.trimmed().size() != 9)
        return QStringLiteral("stagione non valida '%1' (AAAA-AAAA)").arg(shown(season));
    if (contest.trimmed().isEmpty() || contest.size() > 2)
        return QStringLiteral("numero di concorso non valido '%1'").arg(shown(contest));
    if (!Column.match(column).hasMatch())
        return QStringLiteral("colonna non valida '%1' (13 segni tra 1, X, 2 e -)")
            .arg(shown(column));
    if (!ArchiveFields::isSeriesCode(series))
        return QStringLiteral("serie non valida '%1' (A__, ABC, BOC, VAR o IND)")
            .arg(shown(series));
    if (!post)
        return QStringLiteral("valore di Posticipo/i in fondo non valido '%1' (Si o No)")
            .arg(shown(fields.last()));
    bool isNumber = false;
    const int number = contest.toInt(&isNumber);
    typed[ArchiveRecord::Anno] = season;
    typed[ArchiveRecord::Conc] = isNumber ? QString::number(number) : contest;
    for (int k = 0; k < 13; ++k)
        typed[ArchiveRecord::FirstSign + k] = column.at(k).toUpper();
    typed[ArchiveRecord::Serie] = series;
    typed[ArchiveRecord::Post] = *post ? QStringLiteral("Si") : QStringLiteral("No");
    return {};
}

Parsed parse(QByteArrayView content)
{
    Parsed parsed;
    Parser parser(parsed);
    int number = 0;
    while (!content.isEmpty()) {
        const qsizetype end = content.indexOf('\n');
        const qsizetype size = end < 0 ? content.size() : end + 1;
        if (!parser.feed(content.first(size), ++number))
            return parsed;
        content = content.sliced(size);
    }
    return parsed;
}

bool readFile(const QString& path, Parsed& parsed, QString* error)
{
    const QString name = QDir::toNativeSeparators(path);
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QFile file;
    switch (LegacyTextFile::openRegular(file, path)) {
    case LegacyTextFile::ReadStatus::Ok:
        break;
    case LegacyTextFile::ReadStatus::NotRegular:
        return fail(SafeFile::notRegular(path));
    default:
        return fail(QStringLiteral("Impossibile leggere il file '%1'.").arg(name));
    }
    if (file.size() > LargestFile)
        return fail(QStringLiteral("Il file '%1' è troppo grande per un archivio di colonne "
                                   "(più di 100 MB).")
                        .arg(name));
    parsed = {};
    Parser parser(parsed);
    int number = 0;
    qint64 read = 0;
    for (;;) {
        // One byte more than the longest line and its CR LF shows a line that is too long.
        const QByteArray line = file.readLine(LongestLine + 3);
        if (line.isEmpty())
            break;
        read += line.size();
        if (read > LargestFile)
            return fail(QStringLiteral("Il file '%1' è troppo grande per un archivio di colonne "
                                       "(più di 100 MB).")
                            .arg(name));
        if (!parser.feed(line, ++number))
            return fail(QStringLiteral("Il file '%1' non è un archivio di colonne: %2.")
                            .arg(name, parsed.unreadable));
    }
    if (file.error() != QFileDevice::NoError)
        return fail(
            QStringLiteral("Impossibile leggere il file '%1' (%2).").arg(name, file.errorString()));
    return true;
}

QString refusalReport(const Parsed& parsed)
{
    QStringList lines;
    for (const Refused& refused : parsed.refused)
        lines << QStringLiteral("Riga %1: %2").arg(refused.line).arg(refused.reason);
    const int more = parsed.refusedCount - int(parsed.refused.size());
    if (more == 1)
        lines << QStringLiteral("… e un'altra riga scartata.");
    else if (more > 1)
        lines << QStringLiteral("… e altre %1 righe scartate.").arg(more);
    return lines.join(u'\n');
}

QByteArray header()
{
    return "Anno;Conc;Colonna;Serie;Post\r\n";
}

QByteArray line(const ArchiveRecord& record)
{
    return fieldText(record[ArchiveRecord::Anno]) + ';' + fieldText(record[ArchiveRecord::Conc]) +
           ';' + fieldText(QString::fromLatin1(record.column())) + ';' +
           fieldText(record[ArchiveRecord::Serie]) + ';' + fieldText(record[ArchiveRecord::Post]) +
           "\r\n";
}

QByteArray format(const QList<ArchiveRecord>& records)
{
    QByteArray text = header();
    for (const ArchiveRecord& record : records)
        text += line(record);
    return text;
}

bool exportArchive(const ArchiveStore& store, const QString& path, qsizetype& written,
                   QString* error)
{
    SafeFile file(path);
    constexpr qsizetype Chunk = 256 * 1024;
    QByteArray chunk = header();
    chunk.reserve(Chunk + 256);
    qsizetype count = 0;
    bool wrote = file.open();
    const bool read = wrote && store.forEach(
                                   {},
                                   [&](const ArchiveRecord& record) {
                                       chunk += line(record);
                                       ++count;
                                       if (chunk.size() >= Chunk) {
                                           wrote = file.write(chunk);
                                           chunk.clear();
                                       }
                                       return wrote;
                                   },
                                   error);
    if (!wrote || (read && !(file.write(chunk) && file.commit()))) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // On a failed read the safe writer throws its unfinished file away.
    if (!read)
        return false;
    written = count;
    return true;
}

} // namespace ArchiveCsv
