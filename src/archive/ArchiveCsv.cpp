#include "archive/ArchiveCsv.h"

#include "platform/TextDecoding.h"

#include <QRegularExpression>

namespace ArchiveCsv {

namespace {

constexpr int SingleColumnFields = 5; // season, contest, column, series, post
constexpr int SignFields = 17;        // season, contest, 13 signs, series, post

QString unquoted(QString field)
{
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2).trimmed();
    return field;
}

bool isHeader(const QStringList& fields)
{
    return fields.first().compare(QLatin1String("Anno"), Qt::CaseInsensitive) == 0 ||
           fields.first().compare(QLatin1String("Stagione"), Qt::CaseInsensitive) == 0;
}

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
    static const QRegularExpression Season(QStringLiteral("^\\d{4}-\\d{4}$"));
    static const QRegularExpression Contest(QStringLiteral("^\\d{1,2}$"));
    static const QRegularExpression Column(QStringLiteral("^[12Xx-]{13}$"));
    const QString& season = fields.first();
    const QString& contest = fields[1];
    const QString series = fields[fields.size() - 2].toUpper();
    const QString post = fields.last();
    if (!Season.match(season).hasMatch())
        return QStringLiteral("stagione non valida '%1' (AAAA-AAAA)").arg(season);
    if (!Contest.match(contest).hasMatch() || contest.toInt() == 0)
        return QStringLiteral("numero di concorso non valido '%1'").arg(contest);
    if (!Column.match(column).hasMatch())
        return QStringLiteral("colonna non valida '%1' (13 segni tra 1, X, 2 e -)").arg(column);
    if (!ArchiveFields::isSeriesCode(series))
        return QStringLiteral("serie non valida '%1' (A__, ABC, BOC, VAR o IND)").arg(series);
    const bool yes = post.compare(QLatin1String("Si"), Qt::CaseInsensitive) == 0;
    if (!yes && post.compare(QLatin1String("No"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("valore di Posticipo/i in fondo non valido '%1' (Si o No)").arg(post);
    typed[ArchiveRecord::Anno] = season;
    typed[ArchiveRecord::Conc] = QString::number(contest.toInt());
    for (int k = 0; k < 13; ++k)
        typed[ArchiveRecord::FirstSign + k] = column.at(k).toUpper();
    typed[ArchiveRecord::Serie] = series;
    typed[ArchiveRecord::Post] = yes ? QStringLiteral("Si") : QStringLiteral("No");
    return {};
}

Parsed parse(QByteArrayView content)
{
    Parsed parsed;
    const QStringList lines = TextDecoding::decode(content).split(QLatin1Char('\n'));
    bool first = true;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString line = lines[index].trimmed();
        if (line.isEmpty())
            continue;
        const QChar separator = line.contains(QLatin1Char(';')) ? u';' : u',';
        QStringList fields = line.split(separator);
        for (QString& field : fields)
            field = unquoted(field);
        const int number = static_cast<int>(index) + 1;
        if (std::exchange(first, false) && isHeader(fields))
            continue;
        ArchiveRecord::TypedFields typed;
        const QString reason = readFields(fields, typed);
        if (!reason.isEmpty()) {
            parsed.refused.append({number, reason});
            continue;
        }
        parsed.records.append(typed);
        parsed.lines.append(number);
    }
    return parsed;
}

QByteArray format(const QList<ArchiveRecord>& records)
{
    QByteArray text = "Anno;Conc;Colonna;Serie;Post\r\n";
    for (const ArchiveRecord& record : records) {
        text += record[ArchiveRecord::Anno].toUtf8() + ';' + record[ArchiveRecord::Conc].toUtf8() +
                ';' + record.column() + ';' + record[ArchiveRecord::Serie].toUtf8() + ';' +
                record[ArchiveRecord::Post].toUtf8() + "\r\n";
    }
    return text;
}

} // namespace ArchiveCsv
