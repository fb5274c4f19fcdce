#include "conditions/FastMeasures.h"
#include "conditions/SequenceFilter.h"
#include "document/IntegralGenerator.h"

#include <QTest>

namespace {

FastMeasures::SignMasks masksOf(const QByteArray& column)
{
    return FastMeasures::signMasks(FastMeasures::loadColumn(column.constData(), false));
}

} // namespace

class TestSequenceFilter : public QObject {
    Q_OBJECT
private slots:
    void readsMatchNumbers_data()
    {
        QTest::addColumn<QString>("signs");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("trimmed");
        QTest::addColumn<QList<int>>("positions");
        const auto row = [](const char* tag, const char* signs, const char* fields,
                            const char* trimmed, const QList<int>& positions) {
            QTest::newRow(tag) << QString::fromLatin1(signs) << QString::fromLatin1(fields)
                               << QString::fromLatin1(trimmed) << positions;
        };
        row("ascending", "2X1", "4-5-11", "2X1", {4, 5, 11});
        row("descending", "2X1", "11-5-4", "2X1", {11, 5, 4});
        row("blanks around the signs", "  2X1 ", "4-5-11", "2X1", {4, 5, 11});
        // The last number is read from at most two characters.
        row("last field of three digits", "2X1", "4-5-113", "2X1", {4, 5, 11});
        row("more fields than signs", "2X", "4-5-11", "2X", {4, 5});
        row("fewer fields than signs", "2X1", "4-5", "2X1", {4, 5, 0});
        row("outside 1..13", "2X1", "0-5-14", "2X1", {0, 5, 0});
        row("thirteen signs", "1111111111111", "1-2-3-4-5-6-7-8-9-10-11-12-13", "1111111111111",
            {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
        row("no signs", "", "4", "", {});
    }
    void readsMatchNumbers()
    {
        QFETCH(QString, signs);
        QFETCH(QString, fields);
        QFETCH(QString, trimmed);
        QFETCH(QList<int>, positions);
        const SequenceFilter filter(signs, fields);
        QCOMPARE(filter.signs(), trimmed);
        QCOMPARE(filter.positions(), positions);
    }

    void eliminates_data()
    {
        QTest::addColumn<QString>("signs");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QByteArray>("column");
        QTest::addColumn<bool>("eliminated");
        const char* worked = "11X2X2211X112";
        const auto row = [](const char* tag, const char* signs, const char* fields,
                            const char* column, bool eliminated) {
            QTest::newRow(tag) << QString::fromLatin1(signs) << QString::fromLatin1(fields)
                               << QByteArray(column) << eliminated;
        };
        row("2X1 on 4-5-11", "2X1", "4-5-11", worked, true);
        row("2X1 on 11-5-4", "2X1", "11-5-4", worked, false);
        row("2X1 on 11-5-4, reversed column", "2X1", "11-5-4", "11X1X2211X212", true);
        row("case-sensitive", "2x1", "4-5-11", worked, false);
        row("repeated match, same sign", "22", "4-4", worked, true);
        row("repeated match, two signs", "2X", "4-4", worked, false);
        row("match 0", "1X", "0-3", worked, false);
        row("match 14", "1X", "1-14", worked, false);
        row("fewer fields", "11X", "1-2", worked, false);
        row("foreign sign", "1-", "1-2", worked, false);
        row("all thirteen", worked, "1-2-3-4-5-6-7-8-9-10-11-12-13", worked, true);
    }
    void eliminates()
    {
        QFETCH(QString, signs);
        QFETCH(QString, fields);
        QFETCH(QByteArray, column);
        QFETCH(bool, eliminated);
        const SequenceFilter filter(signs, fields);
        QCOMPARE(filter.eliminates(QByteArrayView(column)), eliminated);
        QCOMPARE(filter.eliminates(masksOf(column)), eliminated);
    }

    void masksAgreeWithTheLiteralComparisonOnEveryColumn()
    {
        std::array<QString, 13> triples;
        triples.fill(QStringLiteral("1X2"));
        const ColumnBuffer columns = IntegralGenerator::generate(triples);
        const SequenceFilter forward(QStringLiteral("2X1"), QStringLiteral("4-5-11"));
        const SequenceFilter backward(QStringLiteral("2X1"), QStringLiteral("11-5-4"));
        const SequenceFilter repeated(QStringLiteral("X1X"), QStringLiteral("13-1-13"));
        qsizetype forwardHits = 0, backwardHits = 0, repeatedHits = 0;
        for (qsizetype i = 0; i < columns.count(); ++i) {
            const QByteArrayView column = columns.column(i);
            const auto masks =
                FastMeasures::signMasks(FastMeasures::loadColumn(columns.columnData(i), false));
            for (const SequenceFilter* filter : {&forward, &backward, &repeated}) {
                if (filter->eliminates(column) != filter->eliminates(masks))
                    QFAIL(column.toByteArray().constData());
            }
            forwardHits += forward.eliminates(masks) ? 1 : 0;
            backwardHits += backward.eliminates(masks) ? 1 : 0;
            repeatedHits += repeated.eliminates(masks) ? 1 : 0;
        }
        // One column in 27 shows three given signs at three given matches.
        QCOMPARE(forwardHits, 1594323 / 27);
        QCOMPARE(backwardHits, 1594323 / 27);
        QCOMPARE(repeatedHits, 1594323 / 9);
    }
};

QTEST_GUILESS_MAIN(TestSequenceFilter)
#include "testSequenceFilter.moc"
