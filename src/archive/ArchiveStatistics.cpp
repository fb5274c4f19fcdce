#include "archive/ArchiveStatistics.h"

#include "conditions/FastMeasures.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace ArchiveStatistics {

namespace {

const QString DropTop = QStringLiteral("DROP TABLE ColonneTop");

// The search copies only the fields it may group by; the printout copies whole records.
const char* TopFields = "Anno, Conc, Comp, Post, Serie, "
                        "S1, SX, S2, SC1, SCX, SC2, IG, IC, SG, SC, PG, PC, FG, FC";
const char* TopOrder = " FROM ColonneVincenti ORDER BY Anno DESC, Conc DESC LIMIT ";

QString copyStatement(const char* fields, const QString& last)
{
    return QStringLiteral("CREATE TABLE ColonneTop AS SELECT ") + QLatin1String(fields) +
           QLatin1String(TopOrder) + last.trimmed();
}

// "Errore 1 (no such column: abc)": the number with its sign blank, then the engine's words.
QString errorText(const QSqlError& failure)
{
    const int number = failure.nativeErrorCode().toInt();
    return QStringLiteral("Errore") + (number < 0 ? QString() : QStringLiteral(" ")) +
           QString::number(number) + QStringLiteral(" (") + failure.databaseText() +
           QLatin1Char(')');
}

bool fail(const QSqlQuery& query, QString* error)
{
    if (error)
        *error = errorText(query.lastError());
    return false;
}

// A copy left behind by an earlier printout stands in the way of a new one: it is dropped and
// the copy made again.
bool copyLatest(QSqlDatabase& database, const QString& statement, QString* error)
{
    QSqlQuery query(database);
    if (query.exec(statement))
        return true;
    if (!query.lastError().databaseText().contains(QLatin1String("already exists")))
        return fail(query, error);
    QSqlQuery drop(database);
    if (!drop.exec(DropTop))
        return fail(drop, error);
    return query.exec(statement) || fail(query, error);
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
    QString clause = choice.completeOnly ? QStringLiteral(" WHERE (Comp = 'Si')")
                                         : QStringLiteral(" WHERE (Comp IN ('Si', 'No'))");
    clause += choice.postOnly ? QStringLiteral(" AND (Post = 'Si')")
                              : QStringLiteral(" AND (Post IN ('Si', 'No'))");
    if (choice.interval == Interval::Season)
        clause += QStringLiteral(" AND (Anno = '") + choice.season + QStringLiteral("')");
    clause += QStringLiteral(" AND (Serie IN (");
    const auto series = ArchiveFields::seriesTable();
    for (std::size_t k = 0; k < series.size(); ++k)
        if (choice.series[k])
            clause += QLatin1Char('\'') + QLatin1String(series[k].code) + QStringLiteral("',");
    clause.chop(1);
    return clause + QStringLiteral("))");
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

QString TopStatement(const QString& last)
{
    return copyStatement(TopFields, last);
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
    if (!anySeries(choice)) {
        if (error)
            *error = QStringLiteral("Selezionare almeno una casella Serie !");
        return false;
    }
    filter = FilterClause(choice);
    const bool latest = choice.interval == Interval::Last;
    if (latest && !copyLatest(database, TopStatement(choice.last), error))
        return false;

    Result found;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    bool ok = query.exec(GroupingStatement(choice, filter));
    if (!ok)
        fail(query, error);
    while (ok && query.next()) {
        const Row row{query.value(0).toInt(), query.value(1).toString()};
        found.total += row.count;
        found.rows << row;
    }
    query.finish();
    if (latest) {
        QSqlQuery drop(database);
        if (!drop.exec(DropTop) && ok)
            ok = fail(drop, error);
    }
    if (ok)
        result = found;
    return ok;
}

bool SelectRecords(QSqlDatabase& database, const Choice& choice, const QString& filter,
                   QList<ArchiveRecord>& records, QString* error)
{
    QString select = QStringLiteral("SELECT * FROM ColonneVincenti");
    if (choice.interval == Interval::Last) {
        if (!copyLatest(database, copyStatement("ColonneVincenti.*", choice.last), error))
            return false;
        select = QStringLiteral("SELECT * FROM ColonneTop");
    }
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(select + filter + QStringLiteral(" ORDER BY Anno, Conc")))
        return fail(query, error);
    QList<ArchiveRecord> found;
    while (query.next()) {
        ArchiveRecord record;
        for (int field = 0; field < ArchiveRecord::FieldCount; ++field)
            record.fields[field] = query.value(field).toString();
        found << record;
    }
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
