#include "BenchSupport.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "document/SystemFiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

void benchDocument(const QString& cliPath)
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    ColumnBuffer columns;
    report(QStringLiteral("enumerate 13 triples"),
           medianMilliseconds(9, [&] { IntegralGenerator::generateInto(columns, signs); }));

    QTemporaryDir dir;
    SystemDocument document;
    document.SystemName = QStringLiteral("Bench");
    for (int i = 1; i <= 13; ++i)
        document.setSigns(i, signs[i - 1]);
    document.IntegralCount = qint32(columns.count());
    document.IntegralColumns = columns;
    report(QStringLiteral("save 13-triple system (.ntg 27 MB)"),
           medianMilliseconds(7, [&] { SystemFiles::save(document, dir.path()); }));
    report(QStringLiteral("open 13-triple system"), medianMilliseconds(7, [&] {
               SystemDocument loaded;
               SystemFiles::load(loaded, dir.path(), QStringLiteral("Bench"));
           }));
    if (!cliPath.isEmpty()) {
        const QString pro = dir.filePath(QStringLiteral("Bench.pro"));
        report(QStringLiteral("quadrigo13-cli generate, 13 triples (wall)"),
               medianMilliseconds(5, [&] {
                   QProcess::execute(cliPath, {QStringLiteral("generate"), pro});
               }));
    }
}
