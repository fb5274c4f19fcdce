#include "output/WinningsCheck.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

using WinningsCheck::Counts;
using WinningsCheck::Ticked;

constexpr Ticked AllTicked = {true, true, true, true, true, true, true, true};

ColumnBuffer randomColumns(qsizetype count, quint32 seed)
{
    QRandomGenerator random(seed);
    ColumnBuffer columns;
    for (qsizetype i = 0; i < count; ++i) {
        char column[ColumnBuffer::Width];
        for (char& sign : column)
            sign = "1X2"[random.bounded(3)];
        columns.append(QByteArrayView(column, ColumnBuffer::Width));
    }
    return columns;
}

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
            if (k == 1) {
                n += column == winning;
                continue;
            }
            int points = 0;
            for (int j = 0; j < ColumnBuffer::Width; ++j)
                points += winning[j] == column[j];
            n += points == 14 - k;
        }
        counts[k - 1] = n;
    }
    return counts;
}

} // namespace

class TestWinningsCheck : public QObject {
    Q_OBJECT
private slots:
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
        ColumnBuffer columns;
        columns.append("1X21X21X21X21");
        const Counts counts = WinningsCheck::count(columns, winning, AllTicked);
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(*counts[k - 1], k == category ? 1 : 0);
    }

    void onePassEqualsPassPerCategory()
    {
        // Sizes around the progress block and the last column read through a padded copy.
        for (const qsizetype size :
             {qsizetype(1), qsizetype(2), qsizetype(65536), qsizetype(65537), qsizetype(140000)}) {
            const ColumnBuffer columns = randomColumns(size, static_cast<quint32>(size));
            QRandomGenerator random(static_cast<quint32>(size) + 7);
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
};

QTEST_GUILESS_MAIN(TestWinningsCheck)
#include "testWinningsCheck.moc"
