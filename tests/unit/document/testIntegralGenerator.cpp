#include "document/IntegralGenerator.h"

#include <QSet>
#include <QTest>

namespace {

std::array<QString, 13> prediction(std::initializer_list<const char*> first)
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1"));
    int i = 0;
    for (const char* s : first)
        signs[i++] = QString::fromLatin1(s);
    return signs;
}

// The order stated by the definition: the d-th double by floor(j / 2^d) mod 2, the t-th triple
// by floor(j / 3^t) mod 3, computed column by column.
QByteArray columnByDefinition(const std::array<QString, 13>& signs, qint64 j)
{
    QByteArray column;
    qint64 doubleBlock = 1, tripleBlock = 1;
    for (const QString& field : signs) {
        const QByteArray s = field.toLatin1();
        if (s.size() == 1) {
            column.append(s[0]);
        } else if (s.size() == 2) {
            column.append(s[(j / doubleBlock) % 2]);
            doubleBlock *= 2;
        } else {
            column.append(s[(j / tripleBlock) % 3]);
            tripleBlock *= 3;
        }
    }
    return column;
}

} // namespace

class TestIntegralGenerator : public QObject {
    Q_OBJECT
private slots:

    void twoDoubles()
    {
        const ColumnBuffer columns = IntegralGenerator::generate(prediction({"1X", "X2"}));
        QCOMPARE(columns.count(), 4);
        QCOMPARE(columns.column(0).first(2).toByteArray(), QByteArray("1X"));
        QCOMPARE(columns.column(1).first(2).toByteArray(), QByteArray("XX"));
        QCOMPARE(columns.column(2).first(2).toByteArray(), QByteArray("12"));
        QCOMPARE(columns.column(3).first(2).toByteArray(), QByteArray("X2"));
    }

    void typedOrderChangesOrderNotSet()
    {
        const ColumnBuffer a = IntegralGenerator::generate(prediction({"1X", "12X", "X2"}));
        const ColumnBuffer b = IntegralGenerator::generate(prediction({"X1", "12X", "X2"}));
        QVERIFY(a.records() != b.records());
        QSet<QByteArray> setA, setB;
        for (qsizetype k = 0; k < a.count(); ++k) {
            setA.insert(a.column(k).toByteArray());
            setB.insert(b.column(k).toByteArray());
        }
        QCOMPARE(setA, setB);
        QCOMPARE(b.column(0).toByteArray().left(1), QByteArray("X"));
    }

    void mixedPredictionFollowsDefinition_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("doubles first") << QStringList{"1X", "X2", "12",  "1", "12X", "2X1", "X",
                                                      "1X", "2",  "X12", "1", "21",  "X"};
        QTest::newRow("interleaved") << QStringList{"12X", "1X", "X21", "2X",  "1", "X2", "12X",
                                                    "1",   "21", "X",   "2X1", "2", "X1"};
        QTest::newRow("triples only")
            << QStringList{"1X2", "X12", "2", "21X", "1", "X", "2", "1", "X", "2", "1", "X", "2"};
    }

    void mixedPredictionFollowsDefinition()
    {
        QFETCH(QStringList, fields);
        std::array<QString, 13> signs;
        std::copy(fields.begin(), fields.end(), signs.begin());
        const ColumnBuffer columns = IntegralGenerator::generate(signs);
        QCOMPARE(columns.count(), IntegralGenerator::integralCount(signs));
        for (qsizetype j = 0; j < columns.count(); ++j)
            QCOMPARE(columns.column(j).toByteArray(), columnByDefinition(signs, j));
    }

    void thirteenTriplesAreAllDistinct()
    {
        std::array<QString, 13> signs;
        signs.fill(QStringLiteral("1X2"));
        const ColumnBuffer columns = IntegralGenerator::generate(signs);
        QCOMPARE(columns.count(), 1594323);
        QSet<QByteArray> distinct;
        distinct.reserve(1594323);
        for (qsizetype k = 0; k < columns.count(); ++k)
            distinct.insert(columns.column(k).toByteArray());
        QCOMPARE(distinct.size(), 1594323);
        QCOMPARE(columns.column(0).toByteArray(), QByteArray("1111111111111"));
        QCOMPARE(columns.column(1594322).toByteArray(), QByteArray("2222222222222"));
    }
};

QTEST_GUILESS_MAIN(TestIntegralGenerator)
#include "testIntegralGenerator.moc"
