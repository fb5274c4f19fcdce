#pragma once

#include "archive/ArchiveRecord.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <span>

// One question about the archive: for one measure, how many archived columns had each value,
// over all columns, one season or the latest n contests, narrowed by completeness, postponed
// matches and series. What the user typed is checked and bound to the statements, never pasted
// into them; the filter is also written out, the way the search window shows it.
namespace ArchiveStatistics {

struct MeasureInfo {
    const char* entry;   // "Presenze Segni 1"
    const char* field;   // "S1"
    const char* heading; // "Segni 1"
};
// The fourteen measures in the order of the measure list.
std::span<const MeasureInfo> measureTable();

enum class Interval { All, Season, Last };

struct Choice {
    int measure = 0;
    Interval interval = Interval::Last;
    QString season; // txtStagione, "AAAA-AAAA"
    QString last;   // txtUltime, the number of latest contests as typed
    bool completeOnly = true;
    bool postOnly = false;
    std::array<bool, 5> series{false, true, false, false, true}; // A__, ABC, BOC, VAR, IND
};

bool anySeries(const Choice& choice);
// " WHERE (Comp = 'Si') AND (Post IN ('Si', 'No')) ... AND (Serie IN ('ABC','IND'))"
QString FilterClause(const Choice& choice);
// "SELECT COUNT(S1) AS Colonne, S1 FROM ColonneVincenti" + filter + " GROUP BY S1 ORDER BY ..."
QString GroupingStatement(const Choice& choice, const QString& filter);
// The number of latest contests asked for, 1 .. 9999; 0 when the text is no such number.
int latestCount(const Choice& choice);

struct Row {
    int count = 0;
    QString value; // the measure's value as stored
};
struct Result {
    QList<Row> rows; // most frequent first
    int total = 0;
};
// "   " followed by the truncated count x 100 / total with its sign blank: "    33".
QString PercentText(int count, int total);

// Runs the search on the open archive; the filter clause is returned as shown. False with the
// reason in `error`: a season not AAAA-AAAA with consecutive years, a count of latest contests
// not 1 .. 9999, a damaged or locked archive, or "Errore N (description)" when the engine refuses
// a statement. The archive file is never written.
bool Search(QSqlDatabase& database, const Choice& choice, Result& result, QString& filter,
            QString* error);
// The records the printout of the interval shows, in season and contest order.
bool SelectRecords(QSqlDatabase& database, const Choice& choice, QList<ArchiveRecord>& records,
                   QString* error);

// For values 0..13 of a measure: how many archived columns of `result` had it, and the share
// (0..1) of the 3^13 columns of the integral system that have it.
struct Distribution {
    std::array<int, 14> archived{};
    std::array<double, 14> integralShare{};
};
Distribution distribution(int measure, const Result& result);

} // namespace ArchiveStatistics
