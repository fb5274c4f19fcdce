#include "output/WinningsCheck.h"

#include "document/IntegralGenerator.h"

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
    void winningColumnOfTheSystemCountsInCategoryOneOnly()
    {
        const ColumnBuffer columns = randomColumns(500, 1);
        const QByteArray winning = columns.column(137).toByteArray();
        const Counts counts = WinningsCheck::count(columns, winning, AllTicked);
        const Counts expected = naiveCounts(columns, winning, AllTicked);
        QCOMPARE(counts, expected);
        QVERIFY(*counts[0] >= 1);
        // Category II holds the 12-point columns only, not the 13-point one as well.
        qint32 twelve = 0;
        for (qsizetype i = 0; i < columns.count(); ++i) {
            int points = 0;
            for (int j = 0; j < 13; ++j)
                points += columns.column(i)[j] == winning[j];
            twelve += points == 12;
        }
        QCOMPARE(*counts[1], twelve);
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
        ColumnBuffer columns;
        columns.append("1X21X21X21X21");
        const Counts counts = WinningsCheck::count(columns, winning, AllTicked);
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(*counts[k - 1], k == category ? 1 : 0);
    }

    void aDashBlocksCategoryOne()
    {
        const ColumnBuffer columns = randomColumns(3000, 2);
        QByteArray winning = columns.column(10).toByteArray();
        winning[6] = '-';
        const Counts counts = WinningsCheck::count(columns, winning, AllTicked);
        QCOMPARE(*counts[0], 0);
        QVERIFY(*counts[1] >= 1); // column 10 itself now scores 12
        QCOMPARE(counts, naiveCounts(columns, winning, AllTicked));
    }

    void untickedCategoriesStayEmpty()
    {
        const ColumnBuffer columns = randomColumns(200, 3);
        const Ticked firstTwo = {true, true, false, false, false, false, false, false};
        const Counts counts = WinningsCheck::count(columns, columns.column(0), firstTwo);
        QVERIFY(counts[0].has_value());
        QVERIFY(counts[1].has_value());
        for (int k = 3; k <= 8; ++k)
            QVERIFY(!counts[k - 1].has_value());
    }

    void coveredWinningCountsOnceInTheIntegralSystem()
    {
        std::array<QString, 13> signs;
        const char* played[13] = {"1X2", "1X", "X2", "1",   "12", "1X2", "2",
                                  "1X",  "X",  "12", "1X2", "X2", "1"};
        for (int i = 0; i < 13; ++i)
            signs[i] = QString::fromLatin1(played[i]);
        const ColumnBuffer integral = IntegralGenerator::generate(signs);
        QCOMPARE(integral.count(), 27 * 64);
        const QByteArray winning = "21X12X2XX1221";
        for (int i = 0; i < 13; ++i)
            QVERIFY(WinningsCheck::isPlayed(QString(QLatin1Char(winning[i])), signs[i]));
        const Counts counts = WinningsCheck::count(integral, winning, AllTicked);
        QCOMPARE(*counts[0], 1);
        QCOMPARE(counts, naiveCounts(integral, winning, AllTicked));
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

    void winningColumnText()
    {
        QVERIFY(WinningsCheck::isWinningColumn("1X2-1X2-1X2-1"));
        QVERIFY(!WinningsCheck::isWinningColumn("1X2-1X2-1X2-"));
        QVERIFY(!WinningsCheck::isWinningColumn("1X2-1X2-1X2-11"));
        QVERIFY(!WinningsCheck::isWinningColumn("1x2-1X2-1X2-1"));
        QVERIFY(!WinningsCheck::isWinningColumn("132-1X2-1X2-1"));
        QCOMPARE(WinningsCheck::romanNumeral(1), QStringLiteral("I"));
        QCOMPARE(WinningsCheck::romanNumeral(4), QStringLiteral("IV"));
        QCOMPARE(WinningsCheck::romanNumeral(8), QStringLiteral("VIII"));
    }

    void enteredSignAgainstPlayedSigns()
    {
        QVERIFY(!WinningsCheck::isPlayed(u"2", u"1X"));
        QVERIFY(WinningsCheck::isPlayed(u"1", u"1X"));
        QVERIFY(WinningsCheck::isPlayed(u"X", u"1X2"));
        QVERIFY(WinningsCheck::isPlayed(u"", u"1"));
        QVERIFY(!WinningsCheck::isPlayed(u"-", u"1X2"));
    }
};

QTEST_GUILESS_MAIN(TestWinningsCheck)
#include "testWinningsCheck.moc"
