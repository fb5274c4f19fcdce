#include "platform/ColumnDatabase.h"
#include "platform/Cp1252.h"
#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSystems;
using namespace NumberFormat;
using ColumnDatabase::Database;
using LegacyTextFile::ReadStatus;

namespace {

// The names of a table's fields in their stored order, read through Qt SQL as the windows do.
QStringList fieldNames(const QString& file, const QString& table)
{
    QStringList names;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fields");
        database.setDatabaseName(file);
        const QSqlRecord record = database.open() ? database.record(table) : QSqlRecord();
        for (int i = 0; i < record.count(); ++i)
            names << record.fieldName(i);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fields"));
    return names;
}

const QStringList FourDatabases = {"Accorpa.mdb", "ColVin13.mdb", "Export.mdb", "Ridotto.mdb"};

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void plainNumbersAndTimes()
    {
        QCOMPARE(Str(1234), QStringLiteral(" 1234"));
        QCOMPARE(Str(0), QStringLiteral(" 0"));
        QCOMPARE(Str(-3), QStringLiteral("-3"));
        QCOMPARE(Str(1.5), QStringLiteral(" 1.5"));
        QCOMPARE(plain(0.5), QStringLiteral("0.5"));
        QCOMPARE(FormatElapsed(3725), QStringLiteral("01:02:05"));
        QCOMPARE(FormatElapsed(0), QStringLiteral("00:00:00"));
        QCOMPARE(FormatElapsed(59), QStringLiteral("00:00:59"));
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(lireOf(0.5), 968.0); // 968.135
        QCOMPARE(lireOf(100), 193627.0);
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
        const QString path = dir.filePath(QStringLiteral("a.sys"));
        QVERIFY(LegacyTextFile::write(
            path, {QStringLiteral("Città è"), 12.0, 1.5, 0.0, QString(), QStringLiteral("€")}));
        QCOMPARE(fileContent(path),
                 QByteArray("\"Citt\xe0 \xe8\"\r\n12\r\n1.5\r\n0\r\n\"\"\r\n\"\x80\"\r\n"));
        LegacyTextFile::ReadResult read = LegacyTextFile::read(path, {10, 20});
        QCOMPARE(read.status, ReadStatus::Ok);
        QCOMPARE(read.values, (QVariantList{QStringLiteral("Città è"), 12.0, 1.5, 0.0, QString(),
                                            QStringLiteral("€")}));

        QVERIFY(writeBytes(path, "\"uno\"\n2\n"));
        read = LegacyTextFile::read(path, {10, 20});
        QCOMPARE(read.status, ReadStatus::Ok);
        QCOMPARE(read.values, (QVariantList{QStringLiteral("uno"), 2.0}));
        QVERIFY(writeBytes(path, "\"uno\"\r\nnot a number\r\n"));
        read = LegacyTextFile::read(path, {10, 20});
        QCOMPARE(read.status, ReadStatus::Malformed);
        QCOMPARE(read.badLine, 1);
        QCOMPARE(LegacyTextFile::read(dir.filePath(QStringLiteral("none")), {10, 20}).status,
                 ReadStatus::NotFound);

        QCOMPARE(Cp1252::encode(u"\u20ac\u2019\u00e0"), QByteArray("\x80\x92\xe0"));
        QCOMPARE(Cp1252::decode("\x80\x92\xe0"), QString::fromUtf16(u"\u20ac\u2019\u00e0"));
        QCOMPARE(Cp1252::encode(u"\u4e2d"), QByteArray("?"));
    }

    void fixedRecords_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("ok");
        QTest::newRow("as written")
            << QByteArray("\"1X21X21X21X21\"\r\n\"2222222222222\"\r\n") << 2 << true;
        QTest::newRow("LF, no final end")
            << QByteArray("\"1X21X21X21X21\"\n\"2222222222222\"") << 2 << true;
        QTest::newRow("short record")
            << QByteArray("\"1X21X21X21X2\"\r\n\"2222222222222\"\r\n") << 2 << false;
        QTest::newRow("fewer than counted")
            << QByteArray("\"1X21X21X21X21\"\r\n\"2222222222222\"\r\n") << 3 << false;
    }
    void fixedRecords()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.ntg"));
        const QByteArray records("1X21X21X21X212222222222222");
        QVERIFY(LegacyTextFile::writeFixedRecords(path, records, 13));
        QCOMPARE(fileContent(path), QByteArray("\"1X21X21X21X21\"\r\n\"2222222222222\"\r\n"));
        QVERIFY(writeBytes(path, content));
        QByteArray back;
        QCOMPARE(LegacyTextFile::readFixedRecords(path, count, 13, 10, back),
                 ok ? ReadStatus::Ok : ReadStatus::Malformed);
        if (ok)
            QCOMPARE(back, records);
    }

    void missingDatabasesAreCreatedWithTheirTables()
    {
        QTemporaryDir dir;
        QString error;
        for (const Database database : ColumnDatabase::AllDatabases)
            QVERIFY2(ColumnDatabase::ensureDatabase(dir.path(), database, &error),
                     qPrintable(error));
        QCOMPARE(filesIn(dir.path()), FourDatabases);
        QCOMPARE(fieldNames(dir.filePath(QStringLiteral("Ridotto.mdb")), QStringLiteral("Colonne")),
                 QStringList{QStringLiteral("Col")});
        QCOMPARE(fieldNames(dir.filePath(QStringLiteral("Accorpa.mdb")), QStringLiteral("Colonne"))
                     .size(),
                 13);
    }

    void winningRowsStoreNullsAndNumbers()
    {
        QTemporaryDir dir;
        const QByteArray column = "1X21X21X21X21";
        QString error;
        QVERIFY2(ColumnDatabase::writeWinningRows(
                     dir.path(), Database::Export, 2,
                     [&](qsizetype index, ColumnDatabase::WinningRow& row) {
                         for (int k = 0; k < 13; ++k)
                             row.texts[2 + k] = QByteArrayView(column.constData() + k, 1);
                         row.texts[17] = "Si";
                         row.measures[0] = static_cast<int>(index);
                     },
                     &error),
                 qPrintable(error));
        QList<ColumnDatabase::StoredWinningRow> rows;
        QVERIFY2(ColumnDatabase::readWinningRows(dir.path(), Database::Export, rows, &error),
                 qPrintable(error));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].texts[0], QByteArray());
        QCOMPARE(rows[1].texts[2], QByteArray("1"));
        QCOMPARE(rows[1].texts[14], QByteArray("1"));
        QCOMPARE(rows[1].texts[17], QByteArray("Si"));
        QCOMPARE(rows[0].measures[0], std::optional<int>(0));
        QCOMPARE(rows[1].measures[0], std::optional<int>(1));
        QVERIFY(!rows[1].measures[1].has_value());
    }

    void compactionKeepsOnlyTheFourDatabasesWithTheirRows()
    {
        QTemporaryDir dir;
        // 1000 rows: fifteen full blocks of the bulk insert and a tail, back in written order.
        const ColumnBuffer columns = randomColumns(1000, 7);
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
        const qint64 before = QFileInfo(dir.filePath(QStringLiteral("ColVin13.mdb"))).size();

        for (int start = 0; start < 2; ++start) {
            const QStringList problems = ColumnDatabase::compactDatabases(dir.path());
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
            QCOMPARE(filesIn(dir.path()), FourDatabases);
        }
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("ColVin13.mdb"))).size() < before);
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
        QCOMPARE(readMerged.play(1, 12), QLatin1StringView("X2"));
        QCOMPARE(readMerged.play(2, 4), QLatin1StringView("X2"));
    }

    void compactionThatCannotReadAFileLeavesIt()
    {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("Export.mdb")), QByteArray(4096, 'x')));
        const QStringList problems = ColumnDatabase::compactDatabases(dir.path());
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems.first().contains(QStringLiteral("Export.mdb")));
        QCOMPARE(fileContent(dir.filePath(QStringLiteral("Export.mdb"))), QByteArray(4096, 'x'));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("ExportTEMP.mdb"))));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "testPlatform.moc"
