#include "document/SystemFiles.h"

#include "document/Options.h"
#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"

#include <QDir>
#include <QFileInfo>

namespace SystemFiles {

using LegacyTextFile::ReadStatus;

QString pathOf(const QString& folder, const QString& name, const QString& extension)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(name + extension));
}

bool save(SystemDocument& document, const QString& folder, QString* error)
{
    document.setRecord(0, NumberFormat::Str(document.ReducedCount));
    document.setRecord(14, NumberFormat::Str(document.IntegralCount));
    document.setRecord(15, document.EnableFlags);
    document.setRecord(16, document.NumConcorso + document.DataConcorso);

    QVariantList records;
    for (const QString& record : document.MatchRecords)
        records.append(record);
    const QString name = document.SystemName;
    if (!LegacyTextFile::write(pathOf(folder, name, QStringLiteral(".pro")), records, error))
        return false;

    document.Conditions.set(0, double(document.Quote));
    if (!LegacyTextFile::write(pathOf(folder, name, QStringLiteral(".cnd")),
                               document.Conditions.toList(), error))
        return false;

    if (document.ReducedCount >= 1 &&
        !LegacyTextFile::writeFixedRecords(pathOf(folder, name, QStringLiteral(".cln")),
                                           document.WorkColumns.records(), ColumnBuffer::Width,
                                           error))
        return false;

    if (!document.signsOf(1).isEmpty() &&
        !LegacyTextFile::writeFixedRecords(pathOf(folder, name, QStringLiteral(".ntg")),
                                           document.IntegralColumns.records(), ColumnBuffer::Width,
                                           error))
        return false;

    document.Modified = 0;
    return true;
}

namespace {

LoadResult failure(LoadStatus status, const QString& file, const QString& message = {})
{
    return {status, file, message};
}

LoadResult readColumns(const QString& path, qint32 count, ColumnBuffer& columns)
{
    QByteArray records;
    const ReadStatus status =
        LegacyTextFile::readFixedRecords(path, count, ColumnBuffer::Width, records);
    if (status == ReadStatus::NotFound)
        return failure(LoadStatus::FileNotFound, path);
    if (status == ReadStatus::Malformed)
        return failure(LoadStatus::Malformed, path,
                       QStringLiteral("Il File %1 non contiene %2 colonne valide !")
                           .arg(QFileInfo(path).fileName())
                           .arg(count));
    columns = ColumnBuffer(records);
    return {};
}

} // namespace

LoadResult load(SystemDocument& document, const QString& folder, const QString& name,
                LoadParts parts)
{
    const QString proPath = pathOf(folder, name, QStringLiteral(".pro"));
    const LegacyTextFile::ReadResult pro = LegacyTextFile::read(proPath);
    if (pro.status == ReadStatus::NotFound)
        return failure(LoadStatus::FileNotFound, proPath);
    if (pro.status == ReadStatus::Malformed || pro.values.size() < 17)
        return failure(LoadStatus::Malformed, proPath,
                       QStringLiteral("Il File %1 non è un Pronostico valido !")
                           .arg(QFileInfo(proPath).fileName()));
    for (int k = 0; k < 17; ++k)
        document.setRecord(k, LegacyTextFile::textOf(pro.values[k]));

    document.ReducedCount = static_cast<qint32>(
        NumberFormat::roundHalfEven(NumberFormat::readAsNumber(document.MatchRecords[0])));
    document.IntegralCount = static_cast<qint32>(
        NumberFormat::roundHalfEven(NumberFormat::readAsNumber(document.MatchRecords[14])));
    document.EnableFlags = document.MatchRecords[15].remove(QLatin1Char(' '));
    document.setRecord(15, document.EnableFlags);
    document.NumConcorso = document.MatchRecords[16].left(2);
    document.DataConcorso = document.MatchRecords[16].mid(2, 10);

    const QString cndPath = pathOf(folder, name, QStringLiteral(".cnd"));
    const LegacyTextFile::ReadResult cnd = LegacyTextFile::read(cndPath);
    if (cnd.status == ReadStatus::NotFound && parts.conditionsRequired)
        return failure(LoadStatus::FileNotFound, cndPath);
    if (cnd.status == ReadStatus::Malformed)
        return failure(LoadStatus::Malformed, cndPath,
                       QStringLiteral("Il File %1 non contiene Condizioni valide !")
                           .arg(QFileInfo(cndPath).fileName()));
    document.Conditions.fromList(cnd.values);
    document.Quote = toByte(document.Conditions.number(0));

    if (parts.columns && document.ReducedCount >= 1) {
        const LoadResult result = readColumns(pathOf(folder, name, QStringLiteral(".cln")),
                                              document.ReducedCount, document.WorkColumns);
        if (result.status != LoadStatus::Ok)
            return result;
    }
    if (parts.columns && document.IntegralCount > 0) {
        const LoadResult result = readColumns(pathOf(folder, name, QStringLiteral(".ntg")),
                                              document.IntegralCount, document.IntegralColumns);
        if (result.status != LoadStatus::Ok)
            return result;
    }
    document.countSigns();
    document.countKinds();
    return {};
}

QString predictionError(const SystemDocument& document)
{
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        const QString signs = document.signsOf(i);
        for (int a = 0; a < signs.size(); ++a) {
            if (!QStringLiteral("1X2").contains(signs[a]))
                return QStringLiteral("Segno non valido nella partita %1: \"%2\" !")
                    .arg(i)
                    .arg(signs);
            for (int b = a + 1; b < signs.size(); ++b) {
                if (signs[a] == signs[b])
                    return QStringLiteral("Segno ripetuto nella partita %1: \"%2\" !")
                        .arg(i)
                        .arg(signs);
            }
        }
    }
    return {};
}

} // namespace SystemFiles
