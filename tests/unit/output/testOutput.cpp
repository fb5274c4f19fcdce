#include "conditions/Measures.h"
#include "output/ColumnListModel.h"
#include "output/ColumnListing.h"
#include "output/ExportWriter.h"
#include "output/Merger.h"
#include "output/WinningsCheck.h"
#include "platform/ColumnDatabase.h"
#include "platform/ProgressReporter.h"
#include "support/TestArchives.h"
#include "support/TestSystems.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestSystems;
using WinningsCheck::Counts;
using WinningsCheck::Ticked;

namespace {

constexpr Ticked AllTicked = {true, true, true, true, true, true, true, true};

// Category by category as the window once did: one pass each, category I by text equality.
Counts naiveCounts(const ColumnBuffer& columns, const QByteArray& winning, const Ticked& ticked)
{
    Counts counts;
    for (int k = 1; k <= WinningsCheck::Categories; ++k) {
        if (!ticked[k - 1])
            continue;
        qint32 n = 0;
        for (qsizetype i = 0; i < columns.count(); ++i) {
            const QByteArrayView column = columns.column(i);
            int points = 0;
            for (int j = 0; j < ColumnBuffer::Width; ++j)
                points += winning[j] == column[j];
            n += k == 1 ? column == winning : points == 14 - k;
        }
        counts[k - 1] = n;
    }
    return counts;
}

// The merged rows, each as its 13 plays joined by blanks.
QStringList rowTexts(const MergedColumns& rows)
{
    QStringList texts;
    for (qsizetype row = 0; row < rows.count(); ++row) {
        QStringList plays;
        for (int match = 0; match < MergedColumns::Width; ++match)
            plays << rows.play(row, match);
        texts << plays.join(u' ');
    }
    return texts;
}

class Progress final : public ProgressReporter {
public:
    void setRange(int, int top) override { maximum = top; }
    void setValue(int value) override { values << value; }
    int maximum = -1;
    QList<int> values;
};

} // namespace

class TestOutput : public QObject {
    Q_OBJECT
private slots:
    void listingLines()
    {
        QCOMPARE(ColumnListing::line(25, "1X21X21X21X21"), u"0000025  -  1X2 1X2 1X2 1X21"_s);
        QCOMPARE(ColumnListing::line(1, "1111111111111"), u"0000001  -  111 111 111 1111"_s);
        QCOMPARE(ColumnListing::line(1594323, "222222222222X"), u"1594323  -  222 222 222 222X"_s);
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        QCOMPARE(Merger::ratioText(3, 2, italian), u"1,50"_s);
        QCOMPARE(Merger::ratioText(1, 1, italian), u"1,00"_s);
        QCOMPARE(Merger::ratioText(3, 2, QLocale::c()), u"1.50"_s);
        ColumnListModel model{ColumnBuffer()};
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
    }

    void singleColumnScoresInExactlyOneCategory_data()
    {
        QTest::addColumn<QByteArray>("winning");
        QTest::addColumn<int>("category");
        QTest::newRow("13 points") << QByteArray("1X21X21X21X21") << 1;
        QTest::newRow("12 points") << QByteArray("2X21X21X21X21") << 2;
        QTest::newRow("6 points") << QByteArray("X21X21XX21X21") << 8;
        QTest::newRow("5 points") << QByteArray("X21X21X121X21") << 0;
        QTest::newRow("a dash loses a point") << QByteArray("1X21X21X21X2-") << 2;
    }
    void singleColumnScoresInExactlyOneCategory()
    {
        QFETCH(QByteArray, winning);
        QFETCH(int, category);
        const Counts counts =
            WinningsCheck::count(columnsOf({"1X21X21X21X21"}), winning, AllTicked);
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(*counts[k - 1], k == category ? 1 : 0);
    }

    void onePassEqualsPassPerCategory()
    {
        // Sizes around the progress block and the last column read through a padded copy.
        for (const qsizetype size : {1, 2, 65536, 65537, 140000}) {
            const ColumnBuffer columns = randomColumns(size, quint32(size));
            QRandomGenerator random(quint32(size) + 7);
            QByteArray winning(13, '1');
            for (char& c : winning)
                c = "1X2-"[random.bounded(4)];
            const Ticked ticked = {true, false, true, true, false, true, true, true};
            QCOMPARE(WinningsCheck::count(columns, winning, ticked),
                     naiveCounts(columns, winning, ticked));
            // The last column's own text is always found.
            const QByteArray last = columns.column(size - 1).toByteArray();
            QCOMPARE(WinningsCheck::count(columns, last, AllTicked),
                     naiveCounts(columns, last, AllTicked));
        }
    }

    void exportLeavesTheRunOfAnAbsentSignNull()
    {
        QTemporaryDir dir;
        QVERIFY(ExportWriter::exportColumns(dir.path(), columnsOf({"1X1X1X1X1X1X1"}), nullptr));
        QCOMPARE(TestArchives::rowsOf(
                     dir.filePath(u"Export.mdb"_s),
                     {u"SELECT SC2, S2, SCX, Anno, Serie, FG, FC FROM ColonneVincenti"_s}),
                 QStringList{u"NULL 0 1 NULL NULL NULL NULL"_s});
    }

    void exportedMeasuresAgreeWithTheDefinitions()
    {
        QStringList signs(13, u"1"_s);
        for (int k = 0; k < 10; ++k)
            signs[k] = k < 6 ? u"1X2"_s : u"1X"_s;
        const ColumnBuffer columns = withPrediction(signs).IntegralColumns;
        QTemporaryDir dir;
        Progress progress;
        QVERIFY(ExportWriter::exportColumns(dir.path(), columns, nullptr, &progress));
        QCOMPARE(progress.maximum, int(columns.count()));
        QVERIFY(progress.values.size() > 2 && progress.values.last() == 0);
        QList<ColumnDatabase::StoredWinningRow> rows;
        QVERIFY(ColumnDatabase::readWinningRows(dir.path(), ColumnDatabase::Database::Export, rows,
                                                nullptr));
        QCOMPARE(rows.size(), columns.count());
        for (qsizetype i = 0; i < columns.count(); ++i) {
            const ColumnMeasures m = Measures::measure(columns.column(i));
            QByteArray stored;
            for (int k = 0; k < 13; ++k)
                stored += rows[i].texts[2 + k];
            QCOMPARE(stored, columns.column(i).toByteArray());
            QCOMPARE(rows[i].texts[17], QByteArray("Si"));
            QCOMPARE(rows[i].texts[0] + rows[i].texts[1] + rows[i].texts[15] + rows[i].texts[16],
                     QByteArray());
            const std::array<int, 12> expected = {m.S1, m.SX, m.S2, m.SC1, m.SCX, m.SC2,
                                                  m.IG, m.IC, m.SG, m.SC,  m.PG,  m.PC};
            for (int f = 0; f < 12; ++f) {
                // The longest run of a sign that does not occur stays empty.
                const bool absent = f >= 3 && f <= 5 && expected[f - 3] == 0;
                QCOMPARE(rows[i].measures[f], absent ? std::nullopt : std::optional(expected[f]));
            }
        }
    }

    void merging_data()
    {
        QTest::addColumn<QList<QByteArray>>("columns");
        QTest::addColumn<QStringList>("rows");
        const auto row = [](const char* tag, const QList<QByteArray>& columns,
                            const QStringList& rows) { QTest::newRow(tag) << columns << rows; };
        // Doubles are written in the order 1, X, 2.
        row("2 then X", {"11112XXXXX222", "1111XXXXXX222"}, {"1 1 1 1 X2 X X X X X 2 2 2"});
        row("X then 2", {"1111XXXXXX222", "11112XXXXX222"}, {"1 1 1 1 X2 X X X X X 2 2 2"});
        row("2 then 1", {"2111111111111", "1111111111111"}, {"12 1 1 1 1 1 1 1 1 1 1 1 1"});
        row("X then 1", {"X111111111111", "1111111111111"}, {"1X 1 1 1 1 1 1 1 1 1 1 1 1"});
        row("two differences", {"111111111111X", "2111111111111"},
            {"1 1 1 1 1 1 1 1 1 1 1 1 X", "2 1 1 1 1 1 1 1 1 1 1 1 1"});
        row("equal neighbours", {"1X21X21X21X21", "1X21X21X21X21"},
            {"1 X 2 1 X 2 1 X 2 1 X 2 1", "1 X 2 1 X 2 1 X 2 1 X 2 1"});
        // 1 and 2 differ at two matches; 2 and 3 at one: the scan moves on and joins 2 with 3.
        row("next pair free", {"1111111111111", "X1111111111X1", "X1111111111XX", "2222222222222"},
            {"1 1 1 1 1 1 1 1 1 1 1 1 1", "X 1 1 1 1 1 1 1 1 1 1 X 1X",
             "2 2 2 2 2 2 2 2 2 2 2 2 2"});
        // 1-2 join; 3 is compared with 4, never with 2.
        row("pairs never overlap",
            {"1111111111111", "X111111111111", "XX11111111111", "2222222222222"},
            {"1X 1 1 1 1 1 1 1 1 1 1 1 1", "X X 1 1 1 1 1 1 1 1 1 1 1",
             "2 2 2 2 2 2 2 2 2 2 2 2 2"});
    }
    void merging()
    {
        QFETCH(QList<QByteArray>, columns);
        QFETCH(QStringList, rows);
        QCOMPARE(rowTexts(Merger::merge(columnsOf(columns))), rows);
    }

    void everyColumnLiesInExactlyOneRow()
    {
        // A reduced-looking system: random runs of neighbours that differ in few matches.
        QRandomGenerator random(2024);
        ColumnBuffer columns;
        QByteArray column = "1111111111111";
        for (int i = 0; i < 5000; ++i) {
            for (int c = int(random.bounded(3)); c > 0; --c)
                column[int(random.bounded(13))] = "1X2"[random.bounded(3)];
            columns.append(column);
        }
        const MergedColumns rows = Merger::merge(columns);
        // Unfold every row back into the columns it stands for, in order.
        qsizetype next = 0;
        for (qsizetype r = 0; r < rows.count(); ++r) {
            int doubles = 0;
            for (int k = 0; k < MergedColumns::Width; ++k)
                doubles += rows.play(r, k).size() - 1;
            QVERIFY(doubles <= 1);
            QVERIFY(next + doubles + 1 <= columns.count());
            for (int c = 0; c <= doubles; ++c) {
                for (int k = 0; k < MergedColumns::Width; ++k)
                    QVERIFY(rows.play(r, k).contains(QLatin1Char(columns.column(next + c)[k])));
            }
            if (doubles == 0 && next + 1 < columns.count()) {
                // A single row's column does not differ from the next in exactly one match.
                int differing = 0;
                for (int k = 0; k < MergedColumns::Width; ++k)
                    differing += columns.column(next)[k] != columns.column(next + 1)[k];
                QVERIFY(differing != 1);
            }
            next += doubles + 1;
        }
        QCOMPARE(next, columns.count());
        QVERIFY(rows.count() < columns.count());
    }
};

QTEST_GUILESS_MAIN(TestOutput)
#include "testOutput.moc"
