#include "output/Merger.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

ColumnBuffer columnsOf(std::initializer_list<const char*> texts)
{
    ColumnBuffer columns;
    for (const char* text : texts)
        columns.append(QByteArrayView(text, ColumnBuffer::Width));
    return columns;
}

// A merged row as its 13 plays joined by blanks.
QString rowText(const MergedColumns& rows, qsizetype row)
{
    QStringList plays;
    for (int match = 0; match < MergedColumns::Width; ++match)
        plays << rows.play(row, match);
    return plays.join(u' ');
}

} // namespace

class TestMerger : public QObject {
    Q_OBJECT
private slots:
    void doublesAreWrittenInTheOrderOneDrawTwo_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<int>("match");
        QTest::addColumn<QString>("play");
        const auto row = [](const char* tag, const char* first, const char* second, int match,
                            const char* play) {
            QTest::newRow(tag) << QByteArray(first) << QByteArray(second) << match
                               << QString::fromLatin1(play);
        };
        row("2 then X", "11112XXXXX222", "1111XXXXXX222", 4, "X2");
        row("X then 2", "1111XXXXXX222", "11112XXXXX222", 4, "X2");
        row("2 then 1", "2111111111111", "1111111111111", 0, "12");
        row("X then 1", "X111111111111", "1111111111111", 0, "1X");
        row("1 then 2", "111111111111X", "2111111111111", -1, "");
    }

    void doublesAreWrittenInTheOrderOneDrawTwo()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(int, match);
        QFETCH(QString, play);
        ColumnBuffer columns;
        columns.append(first);
        columns.append(second);
        const MergedColumns rows = Merger::merge(columns);
        if (match < 0) {
            QCOMPARE(rows.count(), 2); // two differences: not joined
            return;
        }
        QCOMPARE(rows.count(), 1);
        QCOMPARE(rows.play(0, match), play);
        // The other matches keep the first column's signs.
        for (int k = 0; k < MergedColumns::Width; ++k) {
            if (k != match)
                QCOMPARE(rows.play(0, k), QString(QLatin1Char(first[k])));
        }
    }

    void twoDifferencesLeaveTheNextPairFree()
    {
        // 1 and 2 differ at two matches; 2 and 3 at one: the scan moves on and joins 2 with 3.
        const ColumnBuffer columns =
            columnsOf({"1111111111111", "X1111111111X1", "X1111111111XX", "2222222222222"});
        const MergedColumns rows = Merger::merge(columns);
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rowText(rows, 0), QStringLiteral("1 1 1 1 1 1 1 1 1 1 1 1 1"));
        QCOMPARE(rowText(rows, 1), QStringLiteral("X 1 1 1 1 1 1 1 1 1 1 X 1X"));
        QCOMPARE(rowText(rows, 2), QStringLiteral("2 2 2 2 2 2 2 2 2 2 2 2 2"));
    }

    void pairsNeverOverlap()
    {
        // 1-2 join; 3 is compared with 4, never with 2.
        const ColumnBuffer columns =
            columnsOf({"1111111111111", "X111111111111", "XX11111111111", "2222222222222"});
        const MergedColumns rows = Merger::merge(columns);
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rowText(rows, 0), QStringLiteral("1X 1 1 1 1 1 1 1 1 1 1 1 1"));
        QCOMPARE(rowText(rows, 1), QStringLiteral("X X 1 1 1 1 1 1 1 1 1 1 1"));
    }

    void equalNeighboursAreNotJoined()
    {
        const ColumnBuffer columns = columnsOf({"1X21X21X21X21", "1X21X21X21X21"});
        const MergedColumns rows = Merger::merge(columns);
        QCOMPARE(rows.count(), 2);
        QCOMPARE(rowText(rows, 0), rowText(rows, 1));
        QCOMPARE(rowText(rows, 0), QStringLiteral("1 X 2 1 X 2 1 X 2 1 X 2 1"));
    }

    void everyColumnLiesInExactlyOneRow()
    {
        // A reduced-looking system: random runs of neighbours that differ in few matches.
        QRandomGenerator random(2024);
        ColumnBuffer columns;
        QByteArray column = "1111111111111";
        for (int i = 0; i < 5000; ++i) {
            const int changes = static_cast<int>(random.bounded(3));
            for (int c = 0; c < changes; ++c)
                column[static_cast<int>(random.bounded(13))] = "1X2"[random.bounded(3)];
            columns.append(column);
        }
        const MergedColumns rows = Merger::merge(columns);
        // Unfold every row back into the columns it stands for, in order.
        qsizetype next = 0;
        for (qsizetype r = 0; r < rows.count(); ++r) {
            int doubles = 0;
            for (int k = 0; k < MergedColumns::Width; ++k) {
                const QLatin1StringView play = rows.play(r, k);
                QVERIFY(!play.isEmpty());
                if (play.size() == 2)
                    ++doubles;
            }
            QVERIFY(doubles <= 1);
            const int covered = doubles + 1;
            QVERIFY(next + covered <= columns.count());
            for (int c = 0; c < covered; ++c) {
                const QByteArrayView original = columns.column(next + c);
                for (int k = 0; k < MergedColumns::Width; ++k)
                    QVERIFY(rows.play(r, k).contains(QLatin1Char(original[k])));
            }
            if (doubles == 0 && next + 1 < columns.count()) {
                // A single row means its column did not differ from the next in exactly one
                // match (or the next one was already taken - impossible for a single row).
                const QByteArrayView a = columns.column(next), b = columns.column(next + 1);
                int differing = 0;
                for (int k = 0; k < MergedColumns::Width; ++k)
                    differing += a[k] != b[k];
                QVERIFY(differing != 1);
            }
            next += covered;
        }
        QCOMPARE(next, columns.count());
        QVERIFY(rows.count() < columns.count());
    }
};

QTEST_GUILESS_MAIN(TestMerger)
#include "testMerger.moc"
