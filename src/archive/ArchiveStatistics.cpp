#include "archive/ArchiveStatistics.h"

#include "archive/ArchiveStore.h"
#include "conditions/FastMeasures.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace ArchiveStatistics {

namespace {

constexpr int SqliteMisuse = 21;
// The copy lives in the connection's temporary space: the archive file is never written, so the
// search works on an archive that can only be read.
const QString DropTop = QStringLiteral("DROP TABLE temp.ColonneTop");

// The search copies only the fields it may group by; the printout copies whole records.
const char* TopFields = "Anno, Conc, Comp, Post, Serie, "
                        "S1, SX, S2, SC1, SCX, SC2, IG, IC, SG, SC, PG, PC, FG, FC";

QString copyStatement(const char* fields)
{
    return QStringLiteral("CREATE TEMP TABLE ColonneTop AS SELECT ") + QLatin1String(fields) +
           QLatin1String(" FROM ColonneVincenti ORDER BY Anno DESC, Conc DESC LIMIT ?");
}

// "Errore 1 (no such column: abc)": the number with its sign blank, then the engine's words. A
// damaged or locked file is told in words, naming it.
QString errorText(const QSqlDatabase& database, const QSqlError& failure)
{
    if (ArchiveStore::isFileError(failure))
        return ArchiveStore::errorMessage(database.databaseName(), failure);
    const int number = failure.nativeErrorCode().toInt();
    // Qt's driver refuses a second statement itself, leaving SQLite with nothing to say.
    const QString description =
        number == SqliteMisuse ? failure.driverText() : failure.databaseText();
    return QStringLiteral("Errore") + (number < 0 ? QString() : QStringLiteral(" ")) +
           QString::number(number) + QStringLiteral(" (") + description + QLatin1Char(')');
}

bool fail(const QSqlDatabase& database, const QSqlQuery& query, QString* error)
{
    if (error)
        *error = errorText(database, query.lastError());
    return false;
}

bool refuse(const QString& reason, QString* error)
{
    if (error)
        *error = reason;
    return false;
}

// What the user typed, checked before it reaches a statement (where it is bound, never pasted).
bool checkChoice(const Choice& choice, QString* error)
{
    if (!anySeries(choice))
        return refuse(QStringLiteral("Selezionare almeno una casella Serie !"), error);
    if (choice.interval == Interval::Season && !ArchiveFields::isSeason(choice.season))
        return refuse(QStringLiteral("Stagione non valida: scrivere AAAA-AAAA con due anni "
                                     "consecutivi."),
                      error);
    if (choice.interval == Interval::Last && latestCount(choice) == 0)
        return refuse(QStringLiteral("Numero di Colonne non valido: ") + choice.last, error);
    return true;
}

// The filter with the season as a placeholder whose value is appended to `bound`, or, without
// `bound`, written out the way the window shows it.
QString filterClause(const Choice& choice, QVariantList* bound)
{
    QString clause = choice.completeOnly ? QStringLiteral(" WHERE (Comp = 'Si')")
                                         : QStringLiteral(" WHERE (Comp IN ('Si', 'No'))");
    clause += choice.postOnly ? QStringLiteral(" AND (Post = 'Si')")
                              : QStringLiteral(" AND (Post IN ('Si', 'No'))");
    if (choice.interval == Interval::Season) {
        if (bound) {
            clause += QStringLiteral(" AND (Anno = ?)");
            bound->append(choice.season);
        } else {
            QString season = choice.season;
            clause += QStringLiteral(" AND (Anno = '") +
                      season.replace(u'\'', QStringLiteral("''")) + QStringLiteral("')");
        }
    }
    clause += QStringLiteral(" AND (Serie IN (");
    const auto series = ArchiveFields::seriesTable();
    for (std::size_t k = 0; k < series.size(); ++k)
        if (choice.series[k])
            clause += QLatin1Char('\'') + QLatin1String(series[k].code) + QStringLiteral("',");
    clause.chop(1);
    return clause + QStringLiteral("))");
}

bool run(QSqlDatabase& database, QSqlQuery& query, const QString& statement,
         const QVariantList& bound, QString* error)
{
    if (!query.prepare(statement))
        return fail(database, query, error);
    for (const QVariant& value : bound)
        query.addBindValue(value);
    return query.exec() || fail(database, query, error);
}

// A copy left behind by an earlier printout stands in the way of a new one: it is dropped and
// the copy made again.
bool copyLatest(QSqlDatabase& database, const char* fields, const Choice& choice, QString* error)
{
    const QString statement = copyStatement(fields);
    const QVariantList bound{latestCount(choice)};
    QSqlQuery query(database);
    QString failure;
    if (run(database, query, statement, bound, &failure))
        return true;
    if (!query.lastError().databaseText().contains(QLatin1String("already exists")))
        return refuse(failure, error);
    QSqlQuery drop(database);
    if (!drop.exec(DropTop))
        return fail(database, drop, error);
    QSqlQuery again(database);
    return run(database, again, statement, bound, error);
}

// How many of the 3^13 columns of the integral system have each value of each measure, counted
// once per process.
using IntegralCounts = std::array<std::array<int, 14>, ArchiveRecord::MeasureCount>;

IntegralCounts countIntegral()
{
    IntegralCounts counts{};
    alignas(16) char column[16] = "1111111111111";
    for (;;) {
        const ColumnMeasures m = FastMeasures::measure(column);
        const int values[] = {m.S1, m.SX, m.S2, m.SC1, m.SCX, m.SC2, m.IG,
                              m.IC, m.SG, m.SC, m.PG,  m.PC,  m.FG,  m.FC};
        for (int k = 0; k < ArchiveRecord::MeasureCount; ++k)
            ++counts[k][values[k]];
        int position = 12;
        while (position >= 0 && column[position] == '2')
            column[position--] = '1';
        if (position < 0)
            return counts;
        column[position] = column[position] == '1' ? 'X' : '2';
    }
}

const IntegralCounts& integralCounts()
{
    static const IntegralCounts counts = countIntegral();
    return counts;
}

} // namespace

std::span<const MeasureInfo> measureTable()
{
    static constexpr MeasureInfo Measures[] = {
        {"Presenze Segni 1", "S1", "Segni 1"},
        {"Presenze Segni X", "SX", "Segni X"},
        {"Presenze Segni 2", "S2", "Segni 2"},
        {"Consecutività Segni 1", "SC1", "Segni 1 Cons."},
        {"Consecutività Segni X", "SCX", "Segni X Cons."},
        {"Consecutività Segni 2", "SC2", "Segni 2 Cons."},
        {"Interruzioni Generali", "IG", "Interruzioni"},
        {"Interruzioni Consecutive", "IC", "Interr. Cons."},
        {"Simmetrie Generali", "SG", "Simmetrie"},
        {"Simmetrie Consecutive", "SC", "Simm. Cons."},
        {"Paralleli Generali", "PG", "Paralleli"},
        {"Paralleli Consecutivi", "PC", "Par. Cons."},
        {"Paralleli P3 Generali", "FG", "Paralleli P3"},
        {"Paralleli P3 Consecutivi", "FC", "Par. P3 Con."},
    };
    return Measures;
}

bool anySeries(const Choice& choice)
{
    return std::find(choice.series.begin(), choice.series.end(), true) != choice.series.end();
}

QString FilterClause(const Choice& choice)
{
    return filterClause(choice, nullptr);
}

int latestCount(const Choice& choice)
{
    bool number = false;
    const int count = choice.last.trimmed().toInt(&number);
    return number && count >= 1 && count <= 9999 ? count : 0;
}

QString GroupingStatement(const Choice& choice, const QString& filter)
{
    const QString field = QLatin1String(measureTable()[choice.measure].field);
    const QString table = choice.interval == Interval::Last ? QStringLiteral("ColonneTop")
                                                            : QStringLiteral("ColonneVincenti");
    return QStringLiteral("SELECT COUNT(") + field + QStringLiteral(") AS Colonne, ") + field +
           QStringLiteral(" FROM ") + table + filter + QStringLiteral(" GROUP BY ") + field +
           QStringLiteral(" ORDER BY COUNT(") + field + QStringLiteral(") DESC");
}

QString PercentText(int count, int total)
{
    const int percent = total > 0 ? int(qint64(count) * 100 / total) : 0;
    return QStringLiteral("   ") + (percent < 0 ? QString() : QStringLiteral(" ")) +
           QString::number(percent);
}

bool Search(QSqlDatabase& database, const Choice& choice, Result& result, QString& filter,
            QString* error)
{
    if (!checkChoice(choice, error))
        return false;
    filter = FilterClause(choice);
    const bool latest = choice.interval == Interval::Last;
    if (latest && !copyLatest(database, TopFields, choice, error))
        return false;

    Result found;
    QVariantList bound;
    const QString statement = GroupingStatement(choice, filterClause(choice, &bound));
    QSqlQuery query(database);
    query.setForwardOnly(true);
    bool ok = run(database, query, statement, bound, error);
    while (ok && query.next()) {
        const Row row{query.value(0).toInt(), query.value(1).toString()};
        found.total += row.count;
        found.rows << row;
    }
    // A page the engine cannot read ends the loop as well: no partial count passes as whole.
    if (ok && query.lastError().isValid())
        ok = fail(database, query, error);
    query.finish();
    if (latest) {
        QSqlQuery drop(database);
        if (!drop.exec(DropTop) && ok)
            ok = fail(database, drop, error);
    }
    if (ok)
        result = found;
    return ok;
}

bool SelectRecords(QSqlDatabase& database, const Choice& choice, QList<ArchiveRecord>& records,
                   QString* error)
{
    if (!checkChoice(choice, error))
        return false;
    QString select = QStringLiteral("SELECT * FROM ColonneVincenti");
    if (choice.interval == Interval::Last) {
        if (!copyLatest(database, "ColonneVincenti.*", choice, error))
            return false;
        select = QStringLiteral("SELECT * FROM temp.ColonneTop");
    }
    QVariantList bound;
    select += filterClause(choice, &bound) + QStringLiteral(" ORDER BY Anno, Conc");
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!run(database, query, select, bound, error))
        return false;
    QList<ArchiveRecord> found;
    while (query.next()) {
        ArchiveRecord record;
        for (int field = 0; field < ArchiveRecord::FieldCount; ++field)
            record.fields[field] = query.value(field).toString();
        found << record;
    }
    if (query.lastError().isValid())
        return fail(database, query, error);
    records = found;
    return true;
}

Distribution distribution(int measure, const Result& result)
{
    Distribution counted;
    for (const Row& row : result.rows) {
        bool ok = false;
        const int value = row.value.toInt(&ok);
        if (ok && value >= 0 && value < int(counted.archived.size()))
            counted.archived[value] += row.count;
    }
    const auto& integral = integralCounts()[measure];
    constexpr double Integral = 1594323; // 3^13
    for (std::size_t value = 0; value < integral.size(); ++value)
        counted.integralShare[value] = integral[value] / Integral;
    return counted;
}

} // namespace ArchiveStatistics
