#include "BenchSupport.h"

#include "archive/ArchiveRecord.h"
#include "archive/ArchiveStatistics.h"
#include "platform/ColumnDatabase.h"
#include "support/TestArchives.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTemporaryDir>

namespace {

// `count` contests of seasons of 38, with varied columns and series.
bool writeArchive(const QString& folder, int count)
{
    static const char* Series[] = {"ABC", "IND", "A__", "ABC", "BOC", "VAR"};
    QList<std::array<QByteArray, 3>> texts; // season, contest, column
    QList<ArchiveFields::Computed> computed;
    quint32 state = 1;
    for (int i = 0; i < count; ++i) {
        QByteArray column = TestArchives::randomColumn(state);
        if (i % 9 == 4)
            column[i % 13] = '-';
        const int year = 1950 + i / 38;
        texts.append({QByteArray::number(year) + '-' + QByteArray::number(year + 1),
                      QByteArray::number(1 + i % 38), column});
        computed << ArchiveFields::compute(column);
    }
    QString error;
    return ColumnDatabase::writeWinningRows(
        folder, ColumnDatabase::Database::Archive, count,
        [&](qsizetype i, ColumnDatabase::WinningRow& row) {
            row.texts[ArchiveRecord::Anno] = texts[i][0];
            row.texts[ArchiveRecord::Conc] = texts[i][1];
            for (int k = 0; k < 13; ++k)
                row.texts[ArchiveRecord::FirstSign + k] = QByteArrayView(texts[i][2]).sliced(k, 1);
            row.texts[ArchiveRecord::Serie] = Series[i % 6];
            row.texts[ArchiveRecord::Post] = i % 4 == 1 ? "Si" : "No";
            row.texts[ArchiveRecord::Comp] = computed[i].Comp == QLatin1String("Si") ? "Si" : "No";
            for (int k = 0; k < ArchiveRecord::MeasureCount; ++k)
                row.measures[k] = computed[i].measures[k];
        },
        &error);
}

} // namespace

void benchArchiveStatistics()
{
    QTemporaryDir dir;
    constexpr int Records = 10000;
    if (!writeArchive(dir.path(), Records))
        qFatal("archive not written");
    const QString name = QStringLiteral("bench-archive");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(
            ColumnDatabase::filePath(dir.path(), ColumnDatabase::Database::Archive));
        database.open();
        using namespace ArchiveStatistics;
        for (const auto& [interval, label] :
             {std::pair(Interval::Last, "Ultime 50"), std::pair(Interval::All, "Tutte")}) {
            Choice choice;
            choice.interval = interval;
            choice.last = QStringLiteral("50");
            choice.series.fill(true);
            Result result;
            QString filter, error;
            report(
                QStringLiteral("statistics search %1 of %2 records (IG)").arg(label).arg(Records),
                medianMilliseconds(21, [&] {
                    choice.measure = 6;
                    if (!Search(database, choice, result, filter, &error))
                        qFatal("search failed: %s", qPrintable(error));
                }));
        }
        QElapsedTimer timer;
        timer.start();
        distribution(0, ArchiveStatistics::Result{});
        report(QStringLiteral("integral distribution of the 14 measures (first use)"),
               timer.nsecsElapsed() / 1e6);
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
}
