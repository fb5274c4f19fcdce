#include "conditions/LiveColumnCount.h"
#include "conditions/LiveCountRunner.h"
#include "conditions/Measures.h"
#include "conditions/SequenceFilter.h"
#include "support/TestSystems.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Eight triples and five doubles: 209,952 columns.
const ColumnBuffer& integral()
{
    static const ColumnBuffer columns =
        TestSystems::withPrediction(
            {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X", "X2", "12", "1X", "X2"})
            .IntegralColumns;
    return columns;
}

// "i=v" pairs: a v of signs, fields or S/N is a text, another a number.
ConditionSet conditionsOf(const QString& pairs)
{
    ConditionSet conditions;
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts)) {
        const int index = pair.section(u'=', 0, 0).toInt();
        const QString value = pair.section(u'=', 1);
        if (index >= ConditionSet::FirstSequenceIndex && index < 46)
            conditions.set(index, value);
        else
            conditions.set(index, value.toDouble());
    }
    return conditions;
}

// The columns that meet every enabled kind, straight from the measures' definitions.
qsizetype countByDefinition(const ConditionSet& c, const QString& flags)
{
    const auto on = [&flags](int kind) { return flags[kind] == u'1'; };
    const auto within = [&c](int value, int index) {
        return value >= c.number(index) && value <= c.number(index + 1);
    };
    qsizetype kept = 0;
    for (qsizetype i = 0; i < integral().count(); ++i) {
        const QByteArrayView column = integral().column(i);
        const ColumnMeasures m = Measures::measure(column);
        bool keep = (!on(0) || (within(m.S1, 1) && within(m.SX, 3) && within(m.S2, 5))) &&
                    (!on(1) || (within(m.SC1, 7) && within(m.SCX, 9) && within(m.SC2, 11))) &&
                    (!on(2) || (within(m.IG, 13) && within(m.IC, 15))) &&
                    (!on(3) || (within(m.SG, 17) && within(m.SC, 19))) &&
                    (!on(4) || (within(m.PG, 21) && within(m.PC, 23))) &&
                    (!on(6) || (within(m.FG, 46) && within(m.FC, 48)));
        for (int slot = 0; keep && on(5) && slot < ConditionSet::SequenceSlots; ++slot) {
            const int b = ConditionSet::sequenceIndex(slot);
            keep = c.text(b + 2) != "S"_L1 ||
                   !SequenceFilter(c.text(b), c.text(b + 1)).eliminates(column);
        }
        kept += keep ? 1 : 0;
    }
    return kept;
}

const QString EveryKind =
    u"1=2 2=6 3=1 4=5 5=1 6=5 7=1 8=4 9=0 10=3 11=0 12=3 13=5 14=10 15=1 16=6 "
    "17=1 18=4 19=0 20=3 21=1 22=5 23=0 24=3 46=2 47=8 48=1 49=4 "
    "25=2X1 26=8-12-11 27=S 28=11 29=1-2 30=N"_s;

} // namespace

class TestLiveColumnCount final : public QObject {
    Q_OBJECT
private slots:
    void countIsWhatTheConditionsLeave_data()
    {
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QString>("flags");
        QTest::newRow("signs") << u"1=3 2=6 3=2 4=7 5=0 6=4"_s << u"1000000"_s;
        QTest::newRow("every kind") << EveryKind << u"1111111"_s;
        QTest::newRow("sequences only") << EveryKind << u"0000010"_s;
        QTest::newRow("none enabled") << EveryKind << u"0000000"_s;
        QTest::newRow("nothing left") << u"1=9 2=9"_s << u"1000000"_s;
    }
    void countIsWhatTheConditionsLeave()
    {
        QFETCH(QString, conditions);
        QFETCH(QString, flags);
        const ConditionSet set = conditionsOf(conditions);
        QCOMPARE(LiveColumnCount::count(integral(), set, flags), countByDefinition(set, flags));
    }

    void labelText_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown") << -1 << u"Colonne rimaste: -"_s;
        QTest::newRow("none") << 0 << u"Colonne rimaste: 0"_s;
        QTest::newRow("thousands") << 12345 << u"Colonne rimaste: 12.345"_s;
        QTest::newRow("millions") << 1594323 << u"Colonne rimaste: 1.594.323"_s;
    }
    void labelText()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        const auto value = count < 0 ? std::nullopt : std::optional<qsizetype>(count);
        QCOMPARE(LiveColumnCount::labelText(value), text);
    }

    // Requests made faster than they are counted: only the last one is announced.
    void aBurstEndsWithTheLastRequest()
    {
        LiveCountRunner runner;
        QSignalSpy counted(&runner, &LiveCountRunner::counted);
        ConditionSet set = conditionsOf(u"1=0 2=13 3=0 4=13 5=0 6=13"_s);
        for (int maximum = 1; maximum <= 8; ++maximum) {
            set.set(2, double(maximum));
            runner.request(integral(), set, u"1000000"_s);
        }
        const qsizetype last = countByDefinition(set, u"1000000"_s);
        QTRY_COMPARE(counted.size(), 1);
        QCOMPARE(counted.first().first().value<qsizetype>(), last);
        // A cancel after a request keeps its count from being announced.
        runner.request(integral(), conditionsOf(u"1=0 2=0"_s), u"1000000"_s);
        runner.cancel();
        runner.request(integral(), set, u"1000000"_s);
        QTRY_COMPARE(counted.size(), 2);
        QCOMPARE(counted.last().first().value<qsizetype>(), last);
    }
};

QTEST_GUILESS_MAIN(TestLiveColumnCount)
#include "testLiveColumnCount.moc"
