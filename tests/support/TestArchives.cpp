#include "support/TestArchives.h"

#include "platform/ColumnDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace TestArchives {

ArchiveRecord record(const QString& season, int contest, const QByteArray& column,
                     const QString& series, const QString& post)
{
    ArchiveRecord::TypedFields typed;
    typed[ArchiveRecord::Anno] = season;
    typed[ArchiveRecord::Conc] = QString::number(contest);
    for (int k = 0; k < 13; ++k)
        typed[ArchiveRecord::FirstSign + k] = QString(QLatin1Char(column.at(k)));
    typed[ArchiveRecord::Serie] = series;
    typed[ArchiveRecord::Post] = post;
    return ArchiveRecord::fromTyped(typed);
}

QByteArray randomColumn(quint32& state)
{
    QByteArray column;
    for (int k = 0; k < 13; ++k) {
        state = state * 1103515245u + 12345u;
        column += "1X2"[(state >> 16) % 3];
    }
    return column;
}

QList<ArchiveRecord> generated(int count)
{
    static const char* Series[] = {"ABC", "IND", "A__", "ABC", "BOC", "VAR", "ABC"};
    QList<ArchiveRecord> records;
    quint32 state = 12345;
    for (int i = 0; i < count; ++i) {
        QByteArray column = randomColumn(state);
        if (i % 5 == 2)
            column[i % 13] = '-';
        const int year = 2000 + i / 30;
        records << record(QStringLiteral("%1-%2").arg(year).arg(year + 1), 10 + i % 30, column,
                          QLatin1String(Series[i % 7]),
                          i % 4 == 1 ? QStringLiteral("Si") : QStringLiteral("No"));
    }
    return records;
}

bool write(const QString& appFolder, const QList<ArchiveRecord>& records)
{
    // The rows view their texts, which must live until the whole write is done.
    QList<std::array<QByteArray, ColumnDatabase::WinningTextFields>> texts;
    for (const ArchiveRecord& archived : records) {
        auto& row = texts.emplace_back();
        for (int field = 0; field < ColumnDatabase::WinningTextFields; ++field)
            row[field] = archived[field].toUtf8();
    }
    QString error;
    return ColumnDatabase::writeWinningRows(
        appFolder, ColumnDatabase::Database::Archive, records.size(),
        [&](qsizetype index, ColumnDatabase::WinningRow& row) {
            for (int field = 0; field < ColumnDatabase::WinningTextFields; ++field)
                row.texts[field] = texts[index][field];
            for (int k = 0; k < ArchiveRecord::MeasureCount; ++k)
                row.measures[k] = records[index][ArchiveRecord::FirstMeasure + k].toInt();
        },
        &error);
}

QSqlDatabase open(const QString& appFolder, const QString& name)
{
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(
        ColumnDatabase::filePath(appFolder, ColumnDatabase::Database::Archive));
    database.open();
    return database;
}

QStringList rowsOf(const QString& file, const QStringList& statements)
{
    const QString name = QStringLiteral("rowsOf");
    QStringList rows;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        database.open(); // a file that cannot be opened fails the first statement
        QSqlQuery query(database);
        for (const QString& statement : statements) {
            if (!query.exec(statement)) {
                rows << QStringLiteral("error: ") + query.lastError().text();
                break;
            }
            while (query.next()) {
                QStringList values;
                for (int f = 0; f < query.record().count(); ++f)
                    values << (query.isNull(f) ? QStringLiteral("NULL")
                                               : query.value(f).toString());
                rows << values.join(QLatin1Char(' '));
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

QString tablesAndCount(QSqlDatabase& database)
{
    QSqlQuery query(database);
    QString text;
    query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (query.next())
        text += query.value(0).toString() + QLatin1Char(' ');
    query.exec(QStringLiteral("SELECT COUNT(*) FROM ColonneVincenti"));
    return query.next() ? text + query.value(0).toString() : text;
}

} // namespace TestArchives
