#include "BenchSupport.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "document/SystemFiles.h"
#include "platform/SafeFile.h"

#include <QElapsedTimer>
#include <QFile>
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
    report(QStringLiteral("save 13-triple system into a new folder (.ntg 27 MB)"),
           medianMilliseconds(5, [&] {
               QTemporaryDir fresh;
               SystemFiles::save(document, fresh.path());
           }));
    report(QStringLiteral("save 13-triple system again (.ntg already holds it)"),
           medianMilliseconds(7, [&] { SystemFiles::save(document, dir.path()); }));
    // The share of the save spent waiting for the disk: the same 27 MB written without a sync,
    // then synced alone.
    const QString unsynced = dir.filePath(QStringLiteral("Unsynced.ntg"));
    QByteArray ntg;
    ntg.reserve(columns.count() * (ColumnBuffer::Width + 4));
    for (qsizetype i = 0; i < columns.count(); ++i)
        ntg += '"' + columns.column(i).toByteArray() + "\"\r\n";
    const auto writeUnsynced = [&] {
        QFile file(unsynced);
        if (file.open(QIODevice::WriteOnly))
            file.write(ntg);
    };
    report(QStringLiteral("write .ntg 27 MB without sync"), medianMilliseconds(7, writeUnsynced));
    double synced = 0;
    for (int run = 0; run < 7; ++run) {
        writeUnsynced();
        synced += medianMilliseconds(1, [&] { SafeFile::syncFile(unsynced, nullptr); }) / 7;
    }
    report(QStringLiteral("sync of that .ntg (mean)"), synced);
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
