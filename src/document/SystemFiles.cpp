#include "document/SystemFiles.h"

#include "document/Options.h"
#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"
#include "platform/SafeFileSet.h"

#include <QDir>
#include <QFileInfo>

namespace SystemFiles {

using LegacyTextFile::ReadStatus;

namespace {

const QStringList Extensions = {QStringLiteral(".pro"), QStringLiteral(".cnd"),
                                QStringLiteral(".cln"), QStringLiteral(".ntg")};

// The journal of an interrupted save, beside the system's files.
QString journalName(const QString& name)
{
    return name + QStringLiteral(".journal");
}

// Every name a file of the system may have, for throwing away what an unfinished save wrote.
QStringList possibleFiles(const QString& folder, const QString& name)
{
    QStringList files;
    for (const QString& extension : Extensions)
        files << QDir(folder).filePath(name + extension)
              << QDir(folder).filePath(name + extension.toUpper());
    return files;
}

} // namespace

QString pathOf(const QString& folder, const QString& name, const QString& extension)
{
    // Systems copied from disks that ignore letter case may have upper-case extensions: an
    // existing file is used as it is named, and a new one follows the case of the .pro.
    const QDir dir(folder);
    const QString lower = dir.filePath(name + extension);
    const QString upper = dir.filePath(name + extension.toUpper());
    QString path = lower;
    if (!QFileInfo::exists(lower) &&
        (QFileInfo::exists(upper) ||
         (!QFileInfo::exists(dir.filePath(name + QStringLiteral(".pro"))) &&
          QFileInfo::exists(dir.filePath(name + QStringLiteral(".PRO"))))))
        path = upper;
    return QDir::toNativeSeparators(path);
}

bool save(SystemDocument& document, const QString& folder, QString* error)
{
    document.setRecord(0, NumberFormat::Str(document.ReducedCount));
    document.setRecord(14, NumberFormat::Str(document.IntegralCount));
    document.setRecord(15, document.EnableFlags);
    document.setRecord(16, document.NumConcorso + document.DataConcorso);
    document.Conditions.set(0, double(document.Quote));

    // The files are replaced together, so that an interrupted save never leaves the counts of
    // one save beside the columns of another.
    const QString name = document.SystemName;
    SafeFileSet files(folder, journalName(name));
    if (!files.lockAndRecover(possibleFiles(folder, name), error))
        return false;

    QVariantList records;
    for (const QString& record : document.MatchRecords)
        records.append(record);
    LegacyTextFile::writeValues(files.add(pathOf(folder, name, QStringLiteral(".pro"))), records);
    LegacyTextFile::writeValues(files.add(pathOf(folder, name, QStringLiteral(".cnd"))),
                                document.Conditions.toList());
    if (document.ReducedCount >= 1)
        LegacyTextFile::writeRecords(files.add(pathOf(folder, name, QStringLiteral(".cln"))),
                                     document.WorkColumns.records(), ColumnBuffer::Width);
    if (!document.signsOf(1).isEmpty())
        LegacyTextFile::writeRecords(files.add(pathOf(folder, name, QStringLiteral(".ntg"))),
                                     document.IntegralColumns.records(), ColumnBuffer::Width);
    if (!files.commit(error))
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
    // A save that another program is making, or one interrupted after it was committed, is
    // finished before anything is read.
    SafeFileSet files(folder, journalName(name));
    QString problem;
    const bool recovered = files.lockAndRecover(possibleFiles(folder, name), &problem);
    const QString proPath = pathOf(folder, name, QStringLiteral(".pro"));
    if (!recovered)
        return failure(LoadStatus::Malformed, proPath,
                       QStringLiteral("Impossibile completare il salvataggio interrotto del "
                                      "Pronostico %1 ! (%2)")
                           .arg(name, problem));
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
