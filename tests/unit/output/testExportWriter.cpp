#include "output/ExportWriter.h"

#include "conditions/Measures.h"
#include "document/IntegralGenerator.h"
#include "platform/ColumnDatabase.h"
#include "platform/ProgressReporter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

using ColumnDatabase::StoredWinningRow;

enum Field { S1, SX, S2, SC1, SCX, SC2, IG, IC, SG, SC, PG, PC, FG, FC };

ColumnBuffer columnsOf(std::initializer_list<const char*> texts)
{
    ColumnBuffer columns;
    for (const char* text : texts)
        columns.append(QByteArrayView(text, ColumnBuffer::Width));
    return columns;
}

QList<StoredWinningRow> exported(const QString& folder)
{
    QList<StoredWinningRow> rows;
    QString error;
    if (!ColumnDatabase::readWinningRows(folder, ColumnDatabase::Database::Export, rows, &error))
        qWarning() << error;
    return rows;
}

std::optional<int> some(int value)
{
    return value;
}

class LastValue final : public ProgressReporter {
public:
    void setRange(int, int top) override { maximum = top; }
    void setValue(int value) override
    {
        ++calls;
        last = value;
    }
    int maximum = -1, last = -1, calls = 0;
};

} // namespace

class TestExportWriter : public QObject {
    Q_OBJECT
private slots:

    void absentSignLeavesItsRunEmpty()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(ExportWriter::exportColumns(dir.path(), columnsOf({"1X1X1X1X1X1X1"}), &error));
        const QList<StoredWinningRow> rows = exported(dir.path());
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].measures[S2], some(0));
        QVERIFY(!rows[0].measures[SC2].has_value());
        QCOMPARE(rows[0].measures[SCX], some(1));

        // NULL in the table itself, not a zero.
        {
            QSqlDatabase database =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("export"));
            database.setDatabaseName(dir.filePath(QStringLiteral("Export.mdb")));
            QVERIFY(database.open());
            QSqlQuery query(database);
            QVERIFY(query.exec(QStringLiteral("SELECT SC2, S2, Anno, Serie, FG, FC FROM "
                                              "ColonneVincenti")));
            QVERIFY(query.next());
            QVERIFY(query.isNull(0));
            QCOMPARE(query.value(1).toInt(), 0);
            QVERIFY(!query.isNull(1));
            for (int f = 2; f < 6; ++f)
                QVERIFY(query.isNull(f));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("export"));
    }

    void measuresAgreeWithTheArchiveDefinitions()
    {
        std::array<QString, 13> signs;
        signs.fill(QStringLiteral("1"));
        for (int k = 0; k < 6; ++k)
            signs[k] = QStringLiteral("1X2");
        for (int k = 6; k < 10; ++k)
            signs[k] = QStringLiteral("1X");
        const ColumnBuffer columns = IntegralGenerator::generate(signs);
        QTemporaryDir dir;
        QString error;
        LastValue progress;
        QVERIFY(ExportWriter::exportColumns(dir.path(), columns, &error, &progress));
        QCOMPARE(progress.maximum, static_cast<int>(columns.count()));
        QCOMPARE(progress.last, 0);
        QVERIFY(progress.calls > 2);
        const QList<StoredWinningRow> rows = exported(dir.path());
        QCOMPARE(rows.size(), columns.count());
        for (qsizetype i = 0; i < columns.count(); ++i) {
            const ColumnMeasures m = Measures::measure(columns.column(i));
            const StoredWinningRow& row = rows[i];
            QByteArray stored;
            for (int k = 0; k < 13; ++k)
                stored += row.texts[2 + k];
            QCOMPARE(stored, columns.column(i).toByteArray());
            const std::array<int, 12> expected = {m.S1, m.SX, m.S2, m.SC1, m.SCX, m.SC2,
                                                  m.IG, m.IC, m.SG, m.SC,  m.PG,  m.PC};
            for (int f = S1; f <= PC; ++f) {
                const bool runOfAbsentSign = f >= SC1 && f <= SC2 && expected[f - SC1] == 0;
                if (runOfAbsentSign)
                    QVERIFY(!row.measures[f].has_value());
                else
                    QCOMPARE(row.measures[f], some(expected[f]));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestExportWriter)
#include "testExportWriter.moc"
