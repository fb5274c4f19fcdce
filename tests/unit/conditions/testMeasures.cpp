#include "conditions/FastMeasures.h"
#include "conditions/Measures.h"
#include "document/IntegralGenerator.h"

#include <QTest>

Q_DECLARE_METATYPE(ColumnMeasures)

namespace {

constexpr std::array Fields = {
    std::pair{"S1", &ColumnMeasures::S1},   std::pair{"SX", &ColumnMeasures::SX},
    std::pair{"S2", &ColumnMeasures::S2},   std::pair{"SC1", &ColumnMeasures::SC1},
    std::pair{"SCX", &ColumnMeasures::SCX}, std::pair{"SC2", &ColumnMeasures::SC2},
    std::pair{"IG", &ColumnMeasures::IG},   std::pair{"IC", &ColumnMeasures::IC},
    std::pair{"SG", &ColumnMeasures::SG},   std::pair{"SC", &ColumnMeasures::SC},
    std::pair{"PG", &ColumnMeasures::PG},   std::pair{"PC", &ColumnMeasures::PC},
    std::pair{"FG", &ColumnMeasures::FG},   std::pair{"FC", &ColumnMeasures::FC}};

// The fourteen values in the order of Fields.
ColumnMeasures measures(std::initializer_list<int> values, bool complete = true)
{
    ColumnMeasures m;
    for (std::size_t k = 0; k < Fields.size(); ++k)
        m.*Fields[k].second = std::data(values)[k];
    m.complete = complete;
    return m;
}

QByteArray describe(const ColumnMeasures& m)
{
    QByteArray text;
    for (const auto& [name, field] : Fields)
        text += QByteArray(name) + '=' + QByteArray::number(m.*field) + ' ';
    return text + "complete=" + QByteArray::number(m.complete);
}

} // namespace

class TestMeasures : public QObject {
    Q_OBJECT
private slots:
    void bothDefinitions_data()
    {
        QTest::addColumn<QByteArray>("column");
        QTest::addColumn<ColumnMeasures>("expected");
        //                                       S1 SX S2 C1 CX C2 IG IC SG SC PG PC FG FC
        QTest::newRow("worked example")
            << QByteArray("11X2X2211X112") << measures({6, 3, 4, 2, 1, 2, 8, 4, 1, 1, 4, 3, 3, 2});
        QTest::newRow("thirteen 1") << QByteArray("1111111111111")
                                    << measures({13, 0, 0, 13, 0, 0, 0, 0, 6, 6, 6, 6, 11, 11});
        QTest::newRow("1X2 repeated") << QByteArray("1X21X21X21X21")
                                      << measures({5, 4, 4, 1, 1, 1, 12, 12, 2, 1, 0, 0, 0, 0});
        QTest::newRow("interruptions broken at k=5")
            << QByteArray("1X1X11X1X1X11") << measures({8, 5, 0, 2, 1, 0, 10, 6, 2, 1, 6, 6, 8, 5});
        QTest::newRow("symmetric pairs (1,13) and (6,8)")
            << QByteArray("1X2XX21222X21") << measures({3, 4, 6, 1, 2, 3, 9, 3, 2, 1, 2, 2, 4, 1});
        QTest::newRow("no X") << QByteArray("1212121212121")
                              << measures({7, 0, 6, 1, 0, 1, 12, 12, 6, 6, 0, 0, 11, 11});
        QTest::newRow("all X") << QByteArray("XXXXXXXXXXXXX")
                               << measures({0, 13, 0, 0, 13, 0, 0, 0, 6, 6, 6, 6, 11, 11});
        QTest::newRow("alternating 1X") << QByteArray("1X1X1X1X1X1X1")
                                        << measures({7, 6, 0, 1, 1, 0, 12, 12, 6, 6, 0, 0, 11, 11});
        // A match without result: no sign, breaks runs, differs from every sign, equals '-'.
        QTest::newRow("dash breaks the run of 1")
            << QByteArray("111-111111111")
            << measures({12, 0, 0, 9, 0, 0, 2, 2, 5, 3, 5, 3, 9, 7}, false);
        QTest::newRow("dash paired with dash")
            << QByteArray("-11111111111-")
            << measures({11, 0, 0, 11, 0, 0, 2, 1, 6, 6, 4, 4, 9, 9}, false);
        QTest::newRow("all dashes")
            << QByteArray("-------------")
            << measures({0, 0, 0, 0, 0, 0, 0, 0, 6, 6, 6, 6, 11, 11}, false);
    }
    void bothDefinitions()
    {
        QFETCH(QByteArray, column);
        QFETCH(ColumnMeasures, expected);
        QCOMPARE(describe(Measures::measure(column)), describe(expected));
        QCOMPARE(describe(FastMeasures::measure(column.constData())), describe(expected));
    }

    void fastEqualsPlainOnEveryColumn()
    {
        std::array<QString, 13> triples;
        triples.fill(QStringLiteral("1X2"));
        const ColumnBuffer columns = IntegralGenerator::generate(triples);
        QCOMPARE(columns.count(), 1594323);
        for (qsizetype i = 0; i < columns.count(); ++i) {
            const ColumnMeasures plain = Measures::measure(columns.column(i));
            const ColumnMeasures fast = FastMeasures::measure(columns.columnData(i));
            if (!(plain == fast))
                QCOMPARE(describe(fast), describe(plain));
        }
    }

    void fastEqualsPlainWithDashes()
    {
        // Every column over '1' and '-' plus every column over 'X', '2', '-' at a few places.
        for (int bits = 0; bits < 8192; ++bits) {
            QByteArray column(13, '1');
            for (int k = 0; k < 13; ++k) {
                if (bits & (1 << k))
                    column[k] = '-';
            }
            QCOMPARE(describe(FastMeasures::measure(column.constData())),
                     describe(Measures::measure(column)));
            column.replace('1', 'X');
            column[bits % 13] = '2';
            QCOMPARE(describe(FastMeasures::measure(column.constData())),
                     describe(Measures::measure(column)));
        }
    }
};

QTEST_GUILESS_MAIN(TestMeasures)
#include "testMeasures.moc"
