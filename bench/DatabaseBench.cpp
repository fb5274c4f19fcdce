#include "BenchSupport.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "document/SystemFiles.h"
#include "output/ExportWriter.h"
#include "output/Merger.h"
#include "platform/ColumnDatabase.h"

#include <QProcess>
#include <QTemporaryDir>

#include <ctime>
#include <sys/resource.h>

ConditionSet realisticConditions();

namespace {

// On a shared machine the wall time follows the load; the processor time spent does not, so
// both are shown. Waiting for the disk counts only in the wall time.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

double childCpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Medians of `runs` runs of `work`; `prepare` runs untimed before each.
Timing medianTiming(int runs, const std::function<void()>& work,
                    const std::function<void()>& prepare = {}, bool child = false)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        const double cpuStart =
            child ? childCpuMilliseconds() : std::clock() * 1e3 / CLOCKS_PER_SEC;
        walls.push_back(medianMilliseconds(1, work));
        const double cpuEnd = child ? childCpuMilliseconds() : std::clock() * 1e3 / CLOCKS_PER_SEC;
        cpus.push_back(cpuEnd - cpuStart);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void reportTiming(const QString& what, const Timing& timing)
{
    report(what + QStringLiteral(" (cpu %1 ms)").arg(timing.cpu, 0, 'f', 1), timing.wall);
}

// An archive of `count` contests, seasons of 40.
void writeArchive(const QString& folder, int count)
{
    QString error;
    ColumnDatabase::writeWinningRows(
        folder, ColumnDatabase::Database::Archive, count,
        [](qsizetype index, ColumnDatabase::WinningRow& row) {
            static const QByteArray Season = "2004-2005";
            row.texts[0] = Season;
            row.measures[0] = int(index % 40) + 1;
            for (int k = 0; k < 13; ++k)
                row.texts[2 + k] = QByteArrayView("1X2").sliced((index + k) % 3, 1);
            row.texts[17] = "Si";
        },
        &error);
}

} // namespace

// The steps bound to the column databases, and the command-line reduction that ends in them.
void benchDatabases(const QString& cliPath)
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    const ColumnBuffer integral = IntegralGenerator::generate(signs);
    QTemporaryDir dir;
    QString error;

    reportTiming(QStringLiteral("db: Ridotto.mdb write 3^13 rows"), medianTiming(5, [&] {
                     ColumnDatabase::writeReducedColumns(dir.path(), integral, &error);
                 }));
    MergedColumns merged;
    reportTiming(QStringLiteral("db: merge 3^13 + Accorpa.mdb write"), medianTiming(5, [&] {
                     Merger::mergeAndStore(dir.path(), integral, merged, &error);
                 }));
    reportTiming(QStringLiteral("db: export 3^13 rows with measures"), medianTiming(5, [&] {
                     ExportWriter::exportColumns(dir.path(), integral, &error);
                 }));
    writeArchive(dir.path(), 4000);
    reportTiming(QStringLiteral("db: start-up, nothing to compact (3^13 tables)"),
                 medianTiming(5, [&] { ColumnDatabase::compactDatabases(dir.path()); }));
    // Deleting most of an archive leaves free pages behind.
    reportTiming(QStringLiteral("db: start-up, archive 4000 -> 400 contests to compact"),
                 medianTiming(
                     5, [&] { ColumnDatabase::compactDatabases(dir.path()); },
                     [&] {
                         writeArchive(dir.path(), 4000);
                         writeArchive(dir.path(), 400);
                     }));
    if (!error.isEmpty())
        report(QStringLiteral("database error: ") + error, 0);

    if (cliPath.isEmpty())
        return;
    SystemDocument document;
    document.SystemName = QStringLiteral("Reduce");
    for (int i = 1; i <= 13; ++i)
        document.setSigns(i, signs[i - 1]);
    document.Conditions = realisticConditions();
    document.EnableFlags = QStringLiteral("1111111");
    document.IntegralCount = qint32(integral.count());
    document.IntegralColumns = integral;
    SystemFiles::save(document, dir.path());
    const QString pro = dir.filePath(QStringLiteral("Reduce.pro"));
    const QStringList arguments = {QStringLiteral("reduce"), pro, QStringLiteral("--app-folder"),
                                   dir.path()};
    reportTiming(QStringLiteral("db: quadrigo13-cli reduce, 13 triples, every kind (wall)"),
                 medianTiming(
                     7,
                     [&] {
                         QProcess cli;
                         cli.setStandardOutputFile(QProcess::nullDevice());
                         cli.start(cliPath, arguments);
                         cli.waitForFinished(-1);
                     },
                     {}, true));
}
