#include "document/SystemFiles.h"

#include "document/IntegralGenerator.h"
#include "document/Options.h"
#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"
#include "platform/SafeFileSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace SystemFiles {

using LegacyTextFile::ReadStatus;

namespace {

const QStringList Extensions = {QStringLiteral(".pro"), QStringLiteral(".cnd"),
                                QStringLiteral(".cln"), QStringLiteral(".ntg"),
                                QStringLiteral(".adv")};

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

// Whether the file at `path` holds exactly the lines the save would write for `records`: the
// integral system of a prediction is the same at every save, and reading 27 MB back costs far
// less than writing and syncing them again.
bool holdsRecords(const QString& path, const QByteArray& records, int width)
{
    // Only a plain file is read: a pipe or a device would block or never match.
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink())
        return false;
    QFile file(path);
    const qsizetype count = records.size() / width;
    const qsizetype lineSize = width + 4; // quotes and CR LF
    if (!file.open(QIODevice::ReadOnly) || file.size() != count * lineSize)
        return false;
    constexpr qsizetype ChunkLines = 64 * 1024;
    QByteArray chunk(std::min(count, ChunkLines) * lineSize, Qt::Uninitialized);
    for (qsizetype first = 0; first < count; first += ChunkLines) {
        const qsizetype lines = std::min(ChunkLines, count - first);
        if (file.read(chunk.data(), lines * lineSize) != lines * lineSize)
            return false;
        const char* line = chunk.constData();
        const char* record = records.constData() + first * width;
        for (qsizetype i = 0; i < lines; ++i, line += lineSize, record += width) {
            if (line[0] != '"' || std::memcmp(line + 1, record, size_t(width)) != 0 ||
                line[width + 1] != '"' || line[width + 2] != '\r' || line[width + 3] != '\n')
                return false;
        }
    }
    return true;
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
    // The advanced conditions have a file only while some of them are set, so that a system
    // without them keeps exactly its four files.
    const QString adv = pathOf(folder, name, QStringLiteral(".adv"));
    if (document.Advanced.isSet())
        LegacyTextFile::writeValues(files.add(adv), document.Advanced.toList());
    else if (QFileInfo::exists(adv))
        files.remove(adv);
    if (!document.signsOf(1).isEmpty()) {
        const QString ntg = pathOf(folder, name, QStringLiteral(".ntg"));
        if (!holdsRecords(ntg, document.IntegralColumns.records(), ColumnBuffer::Width))
            LegacyTextFile::writeRecords(files.add(ntg), document.IntegralColumns.records(),
                                         ColumnBuffer::Width);
    }
    if (!files.commit(error))
        return false;

    document.Modified = 0;
    return true;
}

namespace {

constexpr int ProRecords = 17;
// Records of one .pro that the reader checks before the document takes them.
using Records = std::array<QString, ProRecords>;

LoadResult failure(LoadStatus status, const QString& file, const QString& message = {})
{
    return {status, file, message};
}

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

// Why a file could not be taken, in the words the user sees; `invalid` describes a file that is
// not what its kind should hold.
LoadResult refusal(ReadStatus status, const QString& path, const QString& invalid)
{
    if (status == ReadStatus::Ok)
        return {};
    if (status == ReadStatus::NotFound)
        return failure(LoadStatus::FileNotFound, path);
    return failure(LoadStatus::Malformed, path,
                   LegacyTextFile::refusalMessage(status, path, invalid));
}

QString invalidPrediction(const QString& path)
{
    return QStringLiteral("Il File %1 non è un Pronostico valido !").arg(fileNameOf(path));
}

// A count record: blanks, or a whole number of columns no larger than the largest system.
std::optional<qint32> countOf(const QString& record)
{
    const QString text = record.trimmed();
    if (text.isEmpty())
        return 0;
    if (!NumberFormat::isWholeNumber(text))
        return std::nullopt;
    const double count = NumberFormat::roundHalfEven(NumberFormat::readAsNumber(text));
    if (!(count >= 0 && count <= double(ColumnBuffer::MaxCount)))
        return std::nullopt;
    return static_cast<qint32>(count);
}

std::array<QString, SystemDocument::Matches> signsOf(const Records& records)
{
    std::array<QString, SystemDocument::Matches> signs;
    for (int i = 1; i <= SystemDocument::Matches; ++i)
        signs[i - 1] = records[i].right(SystemDocument::SignsWidth).trimmed();
    return signs;
}

QString signsError(const std::array<QString, SystemDocument::Matches>& signs)
{
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        const QString& played = signs[i - 1];
        for (int a = 0; a < played.size(); ++a) {
            if (!QStringLiteral("1X2").contains(played[a]))
                return QStringLiteral("Segno non valido nella partita %1: \"%2\" !")
                    .arg(i)
                    .arg(played);
            for (int b = a + 1; b < played.size(); ++b) {
                if (played[a] == played[b])
                    return QStringLiteral("Segno ripetuto nella partita %1: \"%2\" !")
                        .arg(i)
                        .arg(played);
            }
        }
    }
    return {};
}

bool isEnableFlags(const QString& flags)
{
    if (flags.size() != EnableFlagsText::Default.size())
        return false;
    return std::all_of(flags.begin(), flags.end(),
                       [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('1'); });
}

// Reads and checks the .pro before the document takes anything from it: the counts must be
// the ones the prediction spans, since they size the column lists read next.
LoadResult readPrediction(const QString& path, bool integralRequired, Records& records,
                          qint32& reduced, qint32& integral)
{
    const LegacyTextFile::ReadResult pro =
        LegacyTextFile::read(path, {ProRecords, SystemDocument::RecordWidth});
    if (pro.status != ReadStatus::Ok)
        return refusal(pro.status, path, invalidPrediction(path));
    if (pro.values.size() != ProRecords)
        return refusal(ReadStatus::Malformed, path, invalidPrediction(path));
    for (int k = 0; k < ProRecords; ++k) {
        if (pro.values[k].typeId() != QMetaType::QString)
            return refusal(ReadStatus::Malformed, path, invalidPrediction(path));
        records[k] = fixedWidth(pro.values[k].toString(), SystemDocument::RecordWidth);
    }
    const auto signs = signsOf(records);
    const QString error = signsError(signs);
    if (!error.isEmpty())
        return failure(LoadStatus::Malformed, path, error);

    const std::optional<qint32> reducedCount = countOf(records[0]);
    const std::optional<qint32> integralCount = countOf(records[14]);
    const qint32 spanned = IntegralGenerator::integralCount(signs);
    // A prediction whose columns are not read may not have been enumerated yet.
    const bool integralAgrees =
        integralCount && (*integralCount == spanned || (!integralRequired && *integralCount == 0));
    if (!reducedCount || !integralAgrees || *reducedCount > *integralCount ||
        !isEnableFlags(QString(records[15]).remove(QLatin1Char(' '))))
        return refusal(ReadStatus::Malformed, path, invalidPrediction(path));
    reduced = *reducedCount;
    integral = *integralCount;
    return {};
}

// Entry 0 of the conditions carries the shares, a whole number one byte wide.
bool isShares(const QVariant& value)
{
    const double shares = value.toDouble();
    return value.typeId() != QMetaType::QString && shares >= 0 && shares <= 255 &&
           shares == std::trunc(shares);
}

LoadResult readConditions(const QString& path, bool required, ConditionSet& conditions)
{
    const LegacyTextFile::ReadResult cnd =
        LegacyTextFile::read(path, {ConditionSet::Size, ConditionSet::LongestText});
    if (cnd.status == ReadStatus::NotFound && !required)
        return {};
    const QString invalid =
        QStringLiteral("Il File %1 non contiene Condizioni valide !").arg(fileNameOf(path));
    if (cnd.status != ReadStatus::Ok)
        return refusal(cnd.status, path, invalid);
    bool admitted = cnd.values.isEmpty() || isShares(cnd.values[0]);
    for (int i = 1; admitted && i < cnd.values.size(); ++i)
        admitted = ConditionSet::admits(i, cnd.values[i]);
    if (!admitted)
        return refusal(ReadStatus::Malformed, path, invalid);
    conditions.fromList(cnd.values);
    return {};
}

// A missing file leaves the advanced conditions unset.
LoadResult readAdvanced(const QString& path, AdvancedConditions& advanced)
{
    const LegacyTextFile::ReadResult adv =
        LegacyTextFile::read(path, {AdvancedConditions::FileValues, AdvancedConditions::Matches});
    if (adv.status == ReadStatus::NotFound)
        return {};
    const QString invalid = QStringLiteral("Il File %1 non contiene Condizioni Avanzate valide !")
                                .arg(fileNameOf(path));
    if (adv.status != ReadStatus::Ok)
        return refusal(adv.status, path, invalid);
    const std::optional<AdvancedConditions> read = AdvancedConditions::fromList(adv.values);
    if (!read)
        return refusal(ReadStatus::Malformed, path, invalid);
    advanced = *read;
    return {};
}

// Every column must be one of the integral system of the prediction: at each match, one of the
// signs played there.
bool allInIntegralSystem(const QByteArray& records,
                         const std::array<QString, SystemDocument::Matches>& signs)
{
    std::array<std::array<bool, 256>, SystemDocument::Matches> allowed{};
    for (int i = 0; i < SystemDocument::Matches; ++i) {
        for (QChar sign : signs[i])
            allowed[i][static_cast<unsigned char>(sign.toLatin1())] = true;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(records.constData());
    const qsizetype size = records.size();
    for (qsizetype at = 0; at < size; at += ColumnBuffer::Width) {
        for (int i = 0; i < SystemDocument::Matches; ++i) {
            if (!allowed[i][data[at + i]])
                return false;
        }
    }
    return true;
}

LoadResult readColumns(const QString& path, qint32 count,
                       const std::array<QString, SystemDocument::Matches>& signs,
                       ColumnBuffer& columns)
{
    QByteArray records;
    ReadStatus status = LegacyTextFile::readFixedRecords(path, count, ColumnBuffer::Width,
                                                         ColumnBuffer::MaxCount, records);
    if (status == ReadStatus::Ok && !allInIntegralSystem(records, signs))
        status = ReadStatus::Malformed;
    if (status != ReadStatus::Ok)
        return refusal(status, path,
                       QStringLiteral("Il File %1 non contiene %2 colonne valide !")
                           .arg(fileNameOf(path))
                           .arg(count));
    columns = ColumnBuffer(std::move(records));
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
    Records records;
    qint32 reduced = 0;
    qint32 integral = 0;
    const LoadResult prediction =
        readPrediction(proPath, parts.columns, records, reduced, integral);
    if (prediction.status != LoadStatus::Ok)
        return prediction;
    for (int k = 0; k < ProRecords; ++k)
        document.setRecord(k, records[k]);
    document.ReducedCount = reduced;
    document.IntegralCount = integral;
    document.EnableFlags = document.MatchRecords[15].remove(QLatin1Char(' '));
    document.setRecord(15, document.EnableFlags);
    document.NumConcorso = document.MatchRecords[16].left(2);
    document.DataConcorso = document.MatchRecords[16].mid(2, 10);

    const LoadResult conditions = readConditions(pathOf(folder, name, QStringLiteral(".cnd")),
                                                 parts.conditionsRequired, document.Conditions);
    if (conditions.status != LoadStatus::Ok)
        return conditions;
    document.Quote = toByte(document.Conditions.number(0));
    const LoadResult advanced =
        readAdvanced(pathOf(folder, name, QStringLiteral(".adv")), document.Advanced);
    if (advanced.status != LoadStatus::Ok)
        return advanced;

    const auto signs = signsOf(records);
    if (parts.columns && document.ReducedCount >= 1) {
        const LoadResult result = readColumns(pathOf(folder, name, QStringLiteral(".cln")),
                                              document.ReducedCount, signs, document.WorkColumns);
        if (result.status != LoadStatus::Ok)
            return result;
    }
    if (parts.columns && document.IntegralCount > 0) {
        const LoadResult result =
            readColumns(pathOf(folder, name, QStringLiteral(".ntg")), document.IntegralCount, signs,
                        document.IntegralColumns);
        if (result.status != LoadStatus::Ok)
            return result;
    }
    document.countSigns();
    document.countKinds();
    return {};
}

QString predictionError(const SystemDocument& document)
{
    std::array<QString, SystemDocument::Matches> signs;
    for (int i = 1; i <= SystemDocument::Matches; ++i)
        signs[i - 1] = document.signsOf(i);
    return signsError(signs);
}

} // namespace SystemFiles
