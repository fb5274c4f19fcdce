#include "platform/ColumnDatabase.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using ColumnDatabase::Database;

namespace {

ColumnBuffer randomColumns(qsizetype count, quint32 seed)
{
    QRandomGenerator random(seed);
    ColumnBuffer columns;
    columns.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        char column[ColumnBuffer::Width];
        for (char& sign : column)
            sign = "1X2"[random.bounded(3)];
        columns.append(QByteArrayView(column, ColumnBuffer::Width));
    }
    return columns;
}

// The names of a table's fields in their stored order, read through Qt SQL as the windows do.
QStringList fieldNames(const QString& file, const QString& table)
{
    QStringList names;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fields"));
        database.setDatabaseName(file);
        if (database.open()) {
            const QSqlRecord record = database.record(table);
            for (int i = 0; i < record.count(); ++i)
                names << record.fieldName(i);
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fields"));
    return names;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

const QStringList FourDatabases = {"Accorpa.mdb", "ColVin13.mdb", "Export.mdb", "Ridotto.mdb"};

} // namespace

class TestColumnDatabase : public QObject {
    Q_OBJECT
private slots:
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

    void failedCompactionKeepsTheDatabase()
    {
        QTemporaryDir dir;
        QFile broken(dir.filePath(QStringLiteral("Export.mdb")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(4096, 'x'));
        broken.close();
        const QStringList problems = ColumnDatabase::compactDatabases(dir.path());
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems.first().contains(QStringLiteral("Export.mdb")));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Export.mdb"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("ExportTEMP.mdb"))));
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("Export.mdb"))).size(), 4096);
    }

    void failedWriteKeepsThePreviousRows()
    {
        QTemporaryDir dir;
        const ColumnBuffer columns = randomColumns(100, 41);
        QString error;
        QVERIFY(ColumnDatabase::writeReducedColumns(dir.path(), columns, &error));
        // The new rows cannot be written (their file's place is taken by a folder).
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Ridotto.mdb.new")));
        QVERIFY(!ColumnDatabase::writeReducedColumns(dir.path(), randomColumns(200, 42), &error));
        QVERIFY(!error.isEmpty());
        ColumnBuffer read;
        QVERIFY(ColumnDatabase::readReducedColumns(dir.path(), read, &error));
        QCOMPARE(read.records(), columns.records());
    }
};

QTEST_GUILESS_MAIN(TestColumnDatabase)
#include "testColumnDatabase.moc"
