#include "BenchSupport.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "output/ColumnText.h"
#include "output/Merger.h"

#include <QTemporaryDir>

// The largest files the text export writes and the import reads: the whole 3^13 system.
void benchColumnText()
{
    SystemDocument document;
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    for (int i = 1; i <= SystemDocument::Matches; ++i)
        document.setSigns(i, signs[i - 1]);
    document.IntegralColumns = IntegralGenerator::generate(signs);
    document.IntegralCount = static_cast<qint32>(document.IntegralColumns.count());
    const ColumnBuffer& integral = document.IntegralColumns;
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("c.txt"));
    const QString csv = dir.filePath(QStringLiteral("c.csv"));
    QString error;

    report(QStringLiteral("text export 3^13 columns, plain"), medianMilliseconds(5, [&] {
               ColumnText::writeColumns(plain, integral, ColumnText::Format::Plain, &error);
           }));
    report(QStringLiteral("text export 3^13 columns, CSV"), medianMilliseconds(5, [&] {
               ColumnText::writeColumns(csv, integral, ColumnText::Format::Csv, &error);
           }));
    const MergedColumns merged = Merger::merge(integral);
    report(QStringLiteral("text export %1 merged rows, plain").arg(merged.count()),
           medianMilliseconds(5, [&] {
               ColumnText::writeMerged(plain + QStringLiteral(".m"), merged,
                                       ColumnText::Format::Plain, &error);
           }));
    for (const QString& path : {plain, csv}) {
        report(QStringLiteral("text import 3^13 columns, %1").arg(path.section(u'.', -1)),
               medianMilliseconds(5, [&] {
                   ColumnText::Import imported;
                   ColumnText::read(path, document, imported, &error);
               }));
    }
}
