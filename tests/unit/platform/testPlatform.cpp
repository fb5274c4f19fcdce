#include "document/Options.h"
#include "document/SystemFiles.h"
#include "output/ColumnText.h"
#include "output/SlipCalibration.h"
#include "platform/ColumnDatabase.h"
#include "platform/Cp1252.h"
#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"
#include "platform/PdfPrinter.h"
#include "platform/PrintSurface.h"
#include "platform/SafeFile.h"
#include "reports/ResultsLogic.h"
#include "support/TestArchives.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace TestSystems;
using TestArchives::rowsOf;
using namespace NumberFormat;
using ColumnDatabase::Database;
using LegacyTextFile::ReadStatus;

using namespace Qt::StringLiterals;

namespace {

const QStringList FourDatabases = {"Accorpa.mdb", "ColVin13.mdb", "Export.mdb", "Ridotto.mdb"};

// Every kind of file the program writes, into a name the user could have chosen; false with the
// reason in `error`.
using Writer = std::function<bool(const QString& path, QString* error)>;
const std::vector<std::pair<const char*, Writer>>& writers()
{
    static const std::vector<std::pair<const char*, Writer>> all = {
        {"safe file",
         [](const QString& path, QString* error) {
             SafeFile file(path);
             const bool written = file.open() && file.write("new") && file.commit();
             *error = file.errorString();
             return written;
         }},
        {"settings",
         [](const QString& path, QString* error) {
             return Options::dialogDefaults(u"Sistemi"_s).write(path, error);
         }},
        {"calibration",
         [](const QString& path, QString* error) {
             return SlipCalibration{1, 2, 2}.write(path, error);
         }},
        {"results",
         [](const QString& path, QString* error) {
             return ResultsLogic::write(path, ResultsLogic::Fields{u"27"_s}, error);
         }},
        {"csv export",
         [](const QString& path, QString* error) {
             return ColumnText::writeColumns(path, columnsOf({"1X21X21X21X21"}),
                                             ColumnText::Format::Csv, error);
         }},
        {"pdf",
         [](const QString& path, QString* error) {
             PdfPrinter pdf(path);
             if (!pdf.isOpen(error))
                 return false;
             PrintSurface(pdf.backEnd()).printLine(u"Prova"_s);
             return pdf.finish(error);
         }},
        // A file written by other means, such as a database, renamed into place.
        {"renamed",
         [](const QString& path, QString* error) {
             const QString other = QFileInfo(path).dir().filePath(u"other"_s);
             return writeBytes(other, "new") && SafeFile::replace(other, path, error);
         }},
        // The files of a system are replaced together, each renamed into place.
        {"system",
         [](const QString& path, QString* error) {
             SystemDocument document = withPrediction(QStringList(13, u"1"_s));
             const QFileInfo pro(path);
             document.SystemName = pro.completeBaseName();
             return SystemFiles::save(document, pro.absolutePath(), error);
         }},
    };
    return all;
}

QString kindOf(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return u"missing"_s;
    return S_ISREG(info.st_mode)    ? u"file"_s
           : S_ISLNK(info.st_mode)  ? u"link"_s
           : S_ISDIR(info.st_mode)  ? u"folder"_s
           : S_ISFIFO(info.st_mode) ? u"pipe"_s
           : S_ISCHR(info.st_mode)  ? u"device"_s
                                    : u"other"_s;
}

// The file's identity on disk: a file replaced by a copy gets a new one.
ino_t inodeOf(const QString& file)
{
    struct stat status {};
    return ::stat(QFile::encodeName(file).constData(), &status) == 0 ? status.st_ino : 0;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void plainNumbersAndTimes()
    {
        QCOMPARE(
            (QStringList{Str(1234), Str(0), Str(-3), Str(1.5), plain(0.5), FormatElapsed(3725),
                         FormatElapsed(0), FormatElapsed(59)}),
            (QStringList{" 1234", " 0", "-3", " 1.5", "0.5", "01:02:05", "00:00:00", "00:00:59"}));
        // Lire of 0.5 euro: 968.135.
        QCOMPARE((QList<double>{roundHalfEven(2.5), roundHalfEven(3.5), roundHalfEven(-2.5),
                                lireOf(0.5), lireOf(100)}),
                 (QList<double>{2, 4, -2, 968, 193627}));
    }

    void patternsFollowTheLocale()
    {
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QList<std::tuple<double, const char*, const char*, const char*>> cases = {
            {1594323.0, "#,###,##0", "1.594.323", "1,594,323"},
            {0.0, "#,###,##0", "0", "0"},
            {797161.5, "##,###,###,##0.00", "797.161,50", "797,161.50"},
            {0.25, "###,##0.00", "0,25", "0.25"},
            {1.5, "#0.00", "1,50", "1.50"},
            {1234.5, "#0.00", "1234,50", "1234.50"}, // not grouped
            {25.0, "0000000", "0000025", "0000025"}};
        for (const auto& [value, pattern, inItalian, inEnglish] : cases) {
            QCOMPARE(formatPattern(value, QString::fromLatin1(pattern), italian),
                     QLatin1String(inItalian));
            QCOMPARE(formatPattern(value, QString::fromLatin1(pattern), english),
                     QLatin1String(inEnglish));
        }
        // Reading stops where a number cannot go on.
        const QList<std::pair<const char*, double>> reads = {
            {"12", 12}, {" 1 2 ", 12}, {"0.5", 0.5}, {"0,5", 0},    {"7abc", 7},
            {"abc", 0}, {"", 0},       {"-3", -3},   {"1.2.3", 1.2}};
        for (const auto& [text, value] : reads)
            QCOMPARE(readAsNumber(QString::fromLatin1(text)), value);
    }

    void textFileOneValuePerLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"a.sys"_s);
        QVERIFY(LegacyTextFile::write(path, {u"Città è"_s, 12.0, 1.5, 0.0, QString(), u"€"_s}));
        QCOMPARE(fileContent(path),
                 QByteArray("\"Citt\xe0 \xe8\"\r\n12\r\n1.5\r\n0\r\n\"\"\r\n\"\x80\"\r\n"));
        const LegacyTextFile::ReadResult read = LegacyTextFile::read(path, {10, 20});
        QCOMPARE(read.status, ReadStatus::Ok);
        QCOMPARE(read.values, (QVariantList{u"Città è"_s, 12.0, 1.5, 0.0, QString(), u"€"_s}));
        QCOMPARE(LegacyTextFile::read(dir.filePath(u"none"_s), {10, 20}).status,
                 ReadStatus::NotFound);

        QCOMPARE(Cp1252::encode(u"\u20ac\u2019\u00e0"), QByteArray("\x80\x92\xe0"));
        QCOMPARE(Cp1252::decode("\x80\x92\xe0"), QString::fromUtf16(u"\u20ac\u2019\u00e0"));
        QCOMPARE(Cp1252::encode(u"\u4e2d"), QByteArray("?"));
    }

    void missingDatabasesAreCreatedWithTheirTables()
    {
        QTemporaryDir dir;
        QString error;
        for (const Database database : ColumnDatabase::AllDatabases)
            QVERIFY2(ColumnDatabase::ensureDatabase(dir.path(), database, &error),
                     qPrintable(error));
        QCOMPARE(filesIn(dir.path()), FourDatabases);
        const QString fields = u"SELECT name FROM pragma_table_info('Colonne')"_s;
        QCOMPARE(rowsOf(dir.filePath(u"Ridotto.mdb"_s), {fields}), QStringList{u"Col"_s});
        QCOMPARE(rowsOf(dir.filePath(u"Accorpa.mdb"_s), {fields}).size(), 13);
    }

    void compactionKeepsOnlyTheFourDatabasesWithTheirRows()
    {
        QTemporaryDir dir;
        // 5000 rows fill more than one page, so the table has a page that points to others.
        const ColumnBuffer columns = randomColumns(5000, 7);
        MergedColumns merged;
        merged.appendColumn("1111111111111");
        merged.appendPair("1111111111112", 12, 'X');
        merged.appendPair("2X1X2X1X2X1X2", 4, 'X');
        QString error;
        QVERIFY(ColumnDatabase::writeReducedColumns(dir.path(), columns, &error));
        QVERIFY(ColumnDatabase::writeMergedRows(dir.path(), merged, &error));
        // Deleting most rows of the archive leaves free pages that the compaction gives back.
        const auto season = [](qsizetype, ColumnDatabase::WinningRow& row) {
            row.texts[0] = "2004-2005";
            row.measures[0] = 7;
        };
        QVERIFY(
            ColumnDatabase::writeWinningRows(dir.path(), Database::Archive, 20000, season, &error));
        QVERIFY(ColumnDatabase::writeWinningRows(dir.path(), Database::Archive, 2, season, &error));
        const qint64 before = QFileInfo(dir.filePath(u"ColVin13.mdb"_s)).size();
        // What SQLite itself says of the files: its integrity check, then each schema statement.
        const QStringList verdict = {u"PRAGMA integrity_check"_s,
                                     u"SELECT sql FROM sqlite_schema"_s};
        QCOMPARE(rowsOf(dir.filePath(u"Ridotto.mdb"_s), verdict),
                 (QStringList{u"ok"_s, u"CREATE TABLE Colonne (Col TEXT)"_s}));
        QCOMPARE(rowsOf(dir.filePath(u"Accorpa.mdb"_s), verdict).first(), u"ok"_s);
        // Files written whole have no free pages and are left as they are.
        const ino_t reducedFile = inodeOf(dir.filePath(u"Ridotto.mdb"_s));
        const ino_t mergedFile = inodeOf(dir.filePath(u"Accorpa.mdb"_s));

        for (int start = 0; start < 2; ++start) {
            const QStringList problems = ColumnDatabase::compactDatabases(dir.path());
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
            QCOMPARE(filesIn(dir.path()), FourDatabases);
        }
        QVERIFY(QFileInfo(dir.filePath(u"ColVin13.mdb"_s)).size() < before);
        QCOMPARE(inodeOf(dir.filePath(u"Ridotto.mdb"_s)), reducedFile);
        QCOMPARE(inodeOf(dir.filePath(u"Accorpa.mdb"_s)), mergedFile);
        QList<ColumnDatabase::StoredWinningRow> archive;
        QVERIFY(ColumnDatabase::readWinningRows(dir.path(), Database::Archive, archive, &error));
        QCOMPARE(archive.size(), 2);
        QCOMPARE(archive[1].measures[0], std::optional<int>(7));
        ColumnBuffer read;
        QVERIFY(ColumnDatabase::readReducedColumns(dir.path(), read, &error));
        QCOMPARE(read.records(), columns.records());
        MergedColumns readMerged;
        QVERIFY(ColumnDatabase::readMergedRows(dir.path(), readMerged, &error));
        QCOMPARE(readMerged, merged);
    }

    // Writer | what holds the name. A device, a pipe or a folder is refused untouched, with no
    // file left beside it; a link is followed and the file it points to written.
    void specialTargets_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QString>("kind");
        for (int w = 0; w < int(writers().size()); ++w)
            for (const char* kind : {"device", "pipe", "folder", "link"})
                QTest::addRow("%s, %s", writers()[w].first, kind) << w << QString::fromLatin1(kind);
    }
    void specialTargets()
    {
        QFETCH(int, writer);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        // The system's files are named after it; every other writer takes any name.
        const QString path = dir.filePath(u"Prova.pro"_s);
        const QByteArray name = QFile::encodeName(path);
        const QString pointed = dir.filePath(u"pointed"_s);
        if (kind == u"device"_s) {
            // A null device of the test's own, so that a writer that replaced it would harm
            // nothing; without the right to make one, the system's (which nobody may replace).
            if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QVERIFY(QFile::link(u"/dev/null"_s, path));
        } else if (kind == u"pipe"_s) {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (kind == u"folder"_s) {
            QVERIFY(QDir().mkdir(path));
        } else {
            QVERIFY(writeBytes(pointed, "old"));
            QVERIFY(QFile::link(u"pointed"_s, path));
        }
        const QString before = kindOf(path);
        QString error;
        const bool written = writers()[writer].second(path, &error);
        QCOMPARE(kindOf(path), before);
        if (kind == u"link"_s) {
            QVERIFY2(written, qPrintable(error));
            QCOMPARE(QFileInfo(path).symLinkTarget(), pointed);
            QVERIFY(fileContent(pointed) != "old");
            QCOMPARE(kindOf(pointed), u"file"_s);
        } else {
            QVERIFY(!written);
            QCOMPARE(error, u"Il File Prova.pro non è un file ordinario !"_s);
        }
        // No temporary left behind, beside the name or beside the file a link points to.
        const QStringList left =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                           QDir::Name)
                .filter(QRegularExpression(u"^(Prova\\.pro|pointed)"_s));
        QCOMPARE(left, kind == u"link"_s ? (QStringList{u"Prova.pro"_s, u"pointed"_s})
                                         : (QStringList{u"Prova.pro"_s}));
    }

    void compactionThatCannotReadAFileLeavesIt()
    {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath(u"Export.mdb"_s), QByteArray(4096, 'x')));
        const QStringList problems = ColumnDatabase::compactDatabases(dir.path());
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems.first().contains(u"Export.mdb"_s));
        QCOMPARE(fileContent(dir.filePath(u"Export.mdb"_s)), QByteArray(4096, 'x'));
        QVERIFY(!QFile::exists(dir.filePath(u"ExportTEMP.mdb"_s)));
    }
};

QTEST_MAIN(TestPlatform)
#include "testPlatform.moc"
