#include "conditions/ConditionRules.h"
#include "conditions/Measures.h"
#include "conditions/SequenceFilter.h"
#include "support/TestSystems.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every match: '1' 50 %, 'X' 30 %, '2' 20 %.
AdvancedConditions::SignValues flatValues()
{
    AdvancedConditions::SignValues values{};
    for (auto& match : values)
        match = {50, 30, 20};
    return values;
}

// The rules a column breaks, worked out from the slow measures and the literal texts, by name.
QStringList slowBroken(QByteArrayView column, const ConditionSet& conditions, const QString& flags,
                       const AdvancedConditions& advanced)
{
    const ColumnMeasures m = Measures::measure(column);
    QStringList broken;
    const struct {
        int flag;
        QString name;
        int value, minIndex;
    } measured[] = {{0, u"S1"_s, m.S1, 1},   {0, u"SX"_s, m.SX, 3},   {0, u"S2"_s, m.S2, 5},
                    {1, u"SC1"_s, m.SC1, 7}, {1, u"SCX"_s, m.SCX, 9}, {1, u"SC2"_s, m.SC2, 11},
                    {2, u"IG"_s, m.IG, 13},  {2, u"IC"_s, m.IC, 15},  {3, u"SG"_s, m.SG, 17},
                    {3, u"SC"_s, m.SC, 19},  {4, u"PG"_s, m.PG, 21},  {4, u"PC"_s, m.PC, 23},
                    {6, u"FG"_s, m.FG, 46},  {6, u"FC"_s, m.FC, 48}};
    for (const auto& [flag, name, value, minIndex] : measured) {
        if (flags[flag] == u'1' &&
            (value < conditions.number(minIndex) || value > conditions.number(minIndex + 1)))
            broken << name;
    }
    for (int slot = 0; slot < ConditionSet::SequenceSlots && flags[5] == u'1'; ++slot) {
        const int index = ConditionSet::sequenceIndex(slot);
        if (conditions.text(index + 2) == u"S"_s &&
            SequenceFilter(conditions.text(index), conditions.text(index + 1)).eliminates(column))
            broken << u"SEQ%1"_s.arg(slot + 1);
    }
    if (advanced.sum && advanced.values()) {
        double sum = 0;
        for (int i = 0; i < 13; ++i)
            sum += (*advanced.values())[i][QByteArrayView("1X2").indexOf(column[i])];
        if (sum < advanced.sum->from - 1e-6 || sum > advanced.sum->to + 1e-6)
            broken << u"SOMMA"_s;
    }
    for (int r = 0; r < advanced.references.size(); ++r) {
        int points = 0;
        for (int i = 0; i < 13; ++i)
            points += column[i] == advanced.references[r].column[i] ? 1 : 0;
        if (points < advanced.references[r].pointsFrom || points > advanced.references[r].pointsTo)
            broken << u"RIF%1"_s.arg(r + 1);
    }
    return broken;
}

QStringList namesOf(const ConditionRules& rules, ConditionRules::Mask mask)
{
    QStringList names;
    for (int i = 0; i < rules.rules().size(); ++i) {
        if (mask & (ConditionRules::Mask{1} << i))
            names << rules.rules()[i].name;
    }
    return names;
}

} // namespace

class TestConditionRules : public QObject {
    Q_OBJECT

private slots:
    // 13 ones break S1 (bounds 0..10) and IG (1..12): two errors, a third with the sum or the
    // reference out of their windows.
    void toleranceByHand_data()
    {
        QTest::addColumn<int>("errorsFrom");
        QTest::addColumn<int>("errorsTo");
        QTest::addColumn<int>("strictFlag");
        QTest::addColumn<int>("pointsFrom");
        QTest::addColumn<int>("pointsTo");
        QTest::addColumn<double>("sumFrom");
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("kept");
        QTest::newRow("two errors kept at 0-2") << 0 << 2 << -1 << 0 << 13 << 0.0 << 2 << true;
        QTest::newRow("two errors dropped at 0-1") << 0 << 1 << -1 << 0 << 13 << 0.0 << 2 << false;
        QTest::newRow("kept at 2-2") << 2 << 2 << -1 << 0 << 13 << 0.0 << 2 << true;
        QTest::newRow("dropped at 3-5") << 3 << 5 << -1 << 0 << 13 << 0.0 << 2 << false;
        QTest::newRow("strict signs") << 0 << 2 << 0 << 0 << 13 << 0.0 << 1 << false;
        QTest::newRow("strict interruptions") << 0 << 2 << 2 << 0 << 13 << 0.0 << 1 << false;
        QTest::newRow("strict runs not broken") << 0 << 2 << 1 << 0 << 13 << 0.0 << 2 << true;
        QTest::newRow("reference at lower bound") << 0 << 2 << -1 << 10 << 13 << 0.0 << 2 << true;
        QTest::newRow("reference below") << 0 << 2 << -1 << 11 << 13 << 0.0 << 3 << false;
        QTest::newRow("reference at upper bound") << 0 << 2 << -1 << 0 << 10 << 0.0 << 2 << true;
        QTest::newRow("reference above") << 0 << 3 << -1 << 0 << 9 << 0.0 << 3 << true;
        QTest::newRow("strict reference") << 0 << 3 << 8 << 0 << 9 << 0.0 << 2 << false;
        QTest::newRow("sum at its bound") << 0 << 2 << -1 << 0 << 13 << 650.0 << 2 << true;
        QTest::newRow("sum a hundredth short") << 0 << 2 << -1 << 0 << 13 << 650.01 << 3 << false;
        QTest::newRow("strict sum") << 0 << 13 << 7 << 0 << 13 << 650.01 << 2 << false;
    }
    void toleranceByHand()
    {
        QFETCH(int, errorsFrom);
        QFETCH(int, errorsTo);
        QFETCH(int, strictFlag);
        QFETCH(int, pointsFrom);
        QFETCH(int, pointsTo);
        QFETCH(double, sumFrom);
        QFETCH(int, errors);
        QFETCH(bool, kept);
        ConditionSet conditions;
        for (int i = 1; i <= 24; i += 2)
            conditions.set(i + 1, 13.0);
        conditions.set(2, 10.0); // S1 at most 10
        conditions.set(13, 1.0); // IG at least 1
        AdvancedConditions advanced;
        advanced.errorsFrom = errorsFrom;
        advanced.errorsTo = errorsTo;
        if (strictFlag >= 0)
            advanced.strict[strictFlag] = true;
        advanced.references.append({"1111111111XXX", pointsFrom, pointsTo});
        advanced.setValues(flatValues());
        advanced.sum = AdvancedConditions::Range{sumFrom, 700};
        const ConditionRules rules(conditions, u"1110000"_s, advanced);
        const ConditionRules::Mask broken = rules.brokenRules("1111111111111");
        QCOMPARE(rules.errorsOf(broken), errors);
        QCOMPARE(rules.keeps(broken), kept);
    }

    void ruleNamesInOrder()
    {
        ConditionSet conditions;
        const int index = ConditionSet::sequenceIndex(2);
        conditions.set(index, u"1"_s);
        conditions.set(index + 1, u"4"_s);
        conditions.set(index + 2, u"S"_s);
        AdvancedConditions advanced;
        advanced.strict[3] = true;
        advanced.setValues(flatValues());
        advanced.sum = AdvancedConditions::Range{0, 100};
        advanced.references = {{"1111111111111", 0, 5}, {"2222222222222", 0, 5}};
        const ConditionRules rules(conditions, u"1111111"_s, advanced);
        QStringList names;
        for (const ConditionRule& rule : rules.rules())
            names << rule.name + (rule.strict ? u"!"_s : QString());
        QCOMPARE(names, QString(u"S1 SX S2 SC1 SCX SC2 IG IC SG! SC! PG PC FG FC SEQ3 SOMMA RIF1 "
                                u"RIF2"_s)
                            .split(u' '));
    }

    void probabilityOfAColumn()
    {
        AdvancedConditions advanced;
        QCOMPARE(ConditionRules::probability(advanced, "1X21X21X21X21"), 0.0);
        AdvancedConditions::SignValues values = flatValues();
        values[0] = {33.333, 33.334, 33.333}; // counted to the hundredth
        advanced.setValues(values);
        QCOMPARE(ConditionRules::valueSum(advanced, "1X21X21X21X21"), 433.33);
        QCOMPARE(ConditionRules::valueSum(advanced, "-X21X21X21X21"), 400.0);
        // 0.3333 · 0.5^4 · 0.3^4 · 0.2^4
        QVERIFY(qFuzzyCompare(ConditionRules::probability(advanced, "1X21X21X21X21"),
                              0.3333 * 0.0625 * 0.0081 * 0.0016));
    }

    // For random conditions and columns, the fast mask names the rules the slow measures break,
    // and the histogram counts what a column-by-column tally of those counts.
    void fastMaskEqualsSlowCheck()
    {
        QRandomGenerator random(20);
        const char* signs = "1X2";
        for (int round = 0; round < 60; ++round) {
            ConditionSet conditions;
            for (int i : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 46, 48}) {
                const int a = random.bounded(8), b = random.bounded(14);
                conditions.set(i, double(qMin(a, b)));
                conditions.set(i + 1, double(qMax(a, b)));
            }
            for (int slot = 0; slot < ConditionSet::SequenceSlots; ++slot) {
                const int index = ConditionSet::sequenceIndex(slot);
                const int first = 1 + random.bounded(13), second = 1 + random.bounded(13);
                conditions.set(index, QString(QLatin1Char(signs[random.bounded(3)])) +
                                          QLatin1Char(signs[random.bounded(3)]));
                conditions.set(index + 1, u"%1-%2"_s.arg(first).arg(second));
                conditions.set(index + 2, random.bounded(2) ? u"S"_s : u"N"_s);
            }
            QString flags;
            for (int k = 0; k < 7; ++k)
                flags += random.bounded(3) ? u'1' : u'0';
            AdvancedConditions advanced;
            advanced.errorsFrom = random.bounded(3);
            advanced.errorsTo = advanced.errorsFrom + random.bounded(4);
            for (bool& strict : advanced.strict)
                strict = random.bounded(4) == 0;
            if (random.bounded(2)) {
                AdvancedConditions::SignValues values{};
                for (auto& match : values) {
                    for (double& value : match)
                        value = random.bounded(10000) / 100.0;
                }
                advanced.setValues(values);
                const double from = random.bounded(40000) / 100.0;
                advanced.sum =
                    AdvancedConditions::Range{from, from + random.bounded(40000) / 100.0};
            }
            for (int r = random.bounded(11); r > 0; --r) {
                QByteArray reference;
                for (int i = 0; i < 13; ++i)
                    reference += signs[random.bounded(3)];
                const int a = random.bounded(14), b = random.bounded(14);
                advanced.references.append({reference, qMin(a, b), qMax(a, b)});
            }
            const ConditionRules rules(conditions, flags, advanced);
            const ColumnBuffer columns = TestSystems::randomColumns(500, quint32(round));
            QList<qsizetype> tally;
            qsizetype strictTally = 0;
            for (qsizetype c = 0; c < columns.count(); ++c) {
                const QStringList expected =
                    slowBroken(columns.column(c), conditions, flags, advanced);
                const ConditionRules::Mask broken = rules.brokenRules(columns.columnData(c));
                QCOMPARE(namesOf(rules, broken), expected);
                bool strictBroken = false;
                int errors = 0;
                for (const ConditionRule& rule : rules.rules()) {
                    if (expected.contains(rule.name)) {
                        if (rule.strict)
                            strictBroken = true;
                        else
                            ++errors;
                    }
                }
                const bool kept =
                    !strictBroken && errors >= advanced.errorsFrom && errors <= advanced.errorsTo;
                QCOMPARE(rules.keeps(broken), kept);
                QCOMPARE(rules.keeps(FastMeasures::loadColumn(columns.columnData(c), false)), kept);
                if (strictBroken) {
                    ++strictTally;
                } else {
                    tally.resize(qMax(tally.size(), qsizetype(errors + 1)));
                    ++tally[errors];
                }
            }
            const ErrorsHistogram histogram = rules.errorsHistogram(columns);
            QCOMPARE(histogram.strictlyEliminated, strictTally);
            tally.resize(histogram.columns.size());
            QCOMPARE(histogram.columns, tally);
        }
    }
};

QTEST_GUILESS_MAIN(TestConditionRules)
#include "testConditionRules.moc"
