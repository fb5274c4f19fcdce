#include "BenchSupport.h"

#include "conditions/Measures.h"
#include "document/IntegralGenerator.h"
#include "output/ColumnListModel.h"
#include "output/ExportWriter.h"
#include "output/Merger.h"
#include "output/WinningsCheck.h"
#include "platform/ColumnDatabase.h"

#include <QTemporaryDir>

namespace {

// A reduced system of a few thousand columns in integral order: nine 1, three X, one 2.
ColumnBuffer fewThousand(const ColumnBuffer& integral)
{
    ColumnBuffer reduced;
    for (qsizetype i = 0; i < integral.count(); ++i) {
        const auto counts = Measures::signCounts(integral.column(i));
        if (counts[0] == 9 && counts[1] == 3)
            reduced.append(integral.column(i));
    }
    return reduced;
}

} // namespace

void benchOutput()
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    const ColumnBuffer integral = IntegralGenerator::generate(signs);
    const double rows = static_cast<double>(integral.count());
    QTemporaryDir dir;
    QString error;

    const double write = medianMilliseconds(
        5, [&] { ColumnDatabase::writeReducedColumns(dir.path(), integral, &error); });
    report(QStringLiteral("Ridotto.mdb write 3^13 rows (%1 ns/row)")
               .arg(write * 1e6 / rows, 0, 'f', 0),
           write);
    report(QStringLiteral("Ridotto.mdb read back 3^13 rows"), medianMilliseconds(5, [&] {
               ColumnBuffer read;
               ColumnDatabase::readReducedColumns(dir.path(), read, &error);
           }));

    report(QStringLiteral("merge scan 3^13 (memory)"),
           medianMilliseconds(7, [&] { Merger::merge(integral); }));
    MergedColumns merged;
    report(QStringLiteral("merge 3^13 + Accorpa.mdb write"), medianMilliseconds(5, [&] {
               Merger::mergeAndStore(dir.path(), integral, merged, &error);
           }));
    const ColumnBuffer reduced = fewThousand(integral);
    report(
        QStringLiteral("merge %1 columns + Accorpa.mdb write").arg(reduced.count()),
        medianMilliseconds(7, [&] { Merger::mergeAndStore(dir.path(), reduced, merged, &error); }));

    WinningsCheck::Ticked all;
    all.fill(true);
    report(QStringLiteral("winnings check, 8 categories, 3^13"),
           medianMilliseconds(9, [&] { WinningsCheck::count(integral, "1X21X21X21X21", all); }));

    report(QStringLiteral("list model 3^13 + first 60 lines"), medianMilliseconds(9, [&] {
               ColumnListModel model(integral);
               qsizetype characters = 0;
               for (int row = 0; row < 60; ++row)
                   characters += model.data(model.index(row)).toString().size();
               if (characters == 0)
                   report(QStringLiteral("(empty listing)"), 0);
           }));

    report(QStringLiteral("export 3^13 rows with measures"), medianMilliseconds(3, [&] {
               ExportWriter::exportColumns(dir.path(), integral, &error);
           }));
    report(QStringLiteral("start-up compaction of the four databases"),
           medianMilliseconds(3, [&] { ColumnDatabase::compactDatabases(dir.path()); }));
    if (!error.isEmpty())
        report(QStringLiteral("database error: ") + error, 0);
}
