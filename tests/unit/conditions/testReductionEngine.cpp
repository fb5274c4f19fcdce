#include "conditions/Measures.h"
#include "conditions/ReductionEngine.h"
#include "conditions/SequenceFilter.h"
#include "support/TestSystems.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Pass = ReductionPass;
using Passes = QList<Pass>;

namespace {

const ColumnBuffer& fullIntegral()
{
    static const ColumnBuffer columns =
        TestSystems::withPrediction(TestSystems::allTriples()).IntegralColumns;
    return columns;
}

void setBounds(ConditionSet& conditions, int index, double minimum, double maximum)
{
    conditions.set(index, minimum);
    conditions.set(index + 1, maximum);
}

void setSequence(ConditionSet& conditions, int slot, const QString& signs, const QString& fields,
                 const QString& active = u"S"_s)
{
    const int index = ConditionSet::sequenceIndex(slot);
    conditions.set(index, signs);
    conditions.set(index + 1, fields);
    conditions.set(index + 2, active);
}

// Bounds that let every column through, for every kind.
ConditionSet openConditions()
{
    ConditionSet conditions;
    for (int i : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 46, 48})
        setBounds(conditions, i, 0, 13);
    return conditions;
}

// A condition set of the kind a player uses on 13 triples.
ConditionSet realisticConditions()
{
    ConditionSet conditions;
    const QList<double> bounds = {4, 7,  2, 5, 2, 5, 1, 4, 1, 3, 1, 3,
                                  6, 10, 2, 6, 1, 4, 1, 3, 1, 4, 1, 3}; // S1 .. PC
    for (int i = 1; i <= 24; ++i)
        conditions.set(i, bounds[i - 1]);
    setBounds(conditions, 46, 2, 7); // FG
    setBounds(conditions, 48, 1, 4); // FC
    setSequence(conditions, 0, u"2X1"_s, u"4-5-11"_s);
    setSequence(conditions, 1, u"111"_s, u"1-2-3"_s, u"N"_s);
    setSequence(conditions, 6, u" 22 "_s, u"13-12"_s);
    return conditions;
}

// The first box of the bounds a pass checks and the measures they bound, pair by pair; no box
// for a sequence.
std::pair<int, QList<int>> boundedBy(Pass pass, const ColumnMeasures& m)
{
    switch (pass) {
    case Pass::SignCounts:
        return {1, {m.S1, m.SX, m.S2}};
    case Pass::SignRuns:
        return {7, {m.SC1, m.SCX, m.SC2}};
    case Pass::Interruptions:
        return {13, {m.IG, m.IC}};
    case Pass::Symmetries:
        return {17, {m.SG, m.SC}};
    case Pass::Parallels:
        return {21, {m.PG, m.PC}};
    case Pass::ParallelsStep3:
        return {46, {m.FG, m.FC}};
    default:
        return {0, {}};
    }
}

// The passes written out from the plain definitions, one column at a time: the survivors and
// the count after each pass.
std::pair<ColumnBuffer, QList<qsizetype>> reduceByDefinition(const ConditionSet& conditions,
                                                             const QString& flags)
{
    ColumnBuffer survivors = fullIntegral();
    QList<qsizetype> counts;
    for (Pass pass : ReductionEngine::passOrder()) {
        if (!ReductionEngine::isActive(pass, conditions, flags))
            continue;
        ColumnBuffer kept;
        for (qsizetype i = 0; i < survivors.count(); ++i) {
            const QByteArrayView column = survivors.column(i);
            const auto [first, values] = boundedBy(pass, Measures::measure(column));
            bool passes = true;
            for (qsizetype k = 0; k < values.size(); ++k)
                passes = passes && values[k] >= conditions.number(first + 2 * int(k)) &&
                         values[k] <= conditions.number(first + 2 * int(k) + 1);
            if (first == 0) {
                const int index =
                    ConditionSet::sequenceIndex(ReductionEngine::sequenceSlotOf(pass));
                passes = !SequenceFilter(conditions.text(index), conditions.text(index + 1))
                              .eliminates(column);
            }
            if (passes)
                kept.append(column);
        }
        survivors = kept;
        counts.append(kept.count());
        if (kept.isEmpty())
            break;
    }
    return {survivors, counts};
}

QList<qsizetype> countsOf(const ReductionEngine::Result& result)
{
    QList<qsizetype> counts;
    for (const auto& record : result.passes)
        counts.append(record.count);
    return counts;
}

Passes passesOf(const ReductionEngine::Result& result)
{
    Passes passes;
    for (const auto& record : result.passes)
        passes.append(record.pass);
    return passes;
}

// Every call the observer gets, as "kind pass numbers".
QString observed(char kind, Pass pass, qsizetype a, qsizetype b = 0)
{
    return u"%1 %2 %3 %4"_s.arg(QLatin1Char(kind)).arg(int(pass)).arg(a).arg(b);
}

class RecordingObserver final : public ReductionObserver {
public:
    void passStarted(Pass pass, qsizetype total) override { events << observed('s', pass, total); }
    void passProgress(Pass pass, qsizetype done, qsizetype total) override
    {
        events << observed('p', pass, done, total);
    }
    void passFinished(Pass pass, qsizetype left) override { events << observed('f', pass, left); }
    QStringList events;
};

} // namespace

class TestReductionEngine : public QObject {
    Q_OBJECT
private slots:
    void allKindsMatchTheDefinitions()
    {
        ConditionSet conditions = realisticConditions();
        const auto [survivors, counts] = reduceByDefinition(conditions, u"1111111"_s);
        const auto result = ReductionEngine::run(fullIntegral(), conditions, u"1111111"_s);
        QCOMPARE(passesOf(result),
                 (Passes{Pass::SignCounts, Pass::SignRuns, Pass::Interruptions, Pass::Symmetries,
                         Pass::Parallels, Pass::Sequence1, Pass::Sequence7, Pass::ParallelsStep3}));
        QCOMPARE(countsOf(result), counts);
        QVERIFY(result.survivors == survivors);
        QVERIFY(!result.stoppedEmpty && !survivors.isEmpty());
        // Each active sequence runs as a pass of its own, and has its signs trimmed in the
        // condition set.
        QCOMPARE(conditions.text(ConditionSet::sequenceIndex(6)), u"22"_s);
        QCOMPARE(result.passes[6].caption, u"Colonne Condizionate con Sequela 7"_s);
    }

    void observerSeesEveryPassInOrder()
    {
        ConditionSet conditions = realisticConditions();
        RecordingObserver observer;
        const auto result =
            ReductionEngine::run(fullIntegral(), conditions, u"1000001"_s, &observer);
        QCOMPARE(passesOf(result), (Passes{Pass::SignCounts, Pass::ParallelsStep3}));
        // Each pass starts with the columns left, shows its progress every 65536 columns and at
        // the end, then finishes with its survivors.
        QStringList expected;
        qsizetype total = fullIntegral().count();
        for (const auto& record : result.passes) {
            expected << observed('s', record.pass, total);
            for (qsizetype done = 65536; done < total + 65536; done += 65536)
                expected << observed('p', record.pass, qMin(done, total), total);
            expected << observed('f', record.pass, total = record.count);
        }
        QCOMPARE(observer.events, expected);
    }

    // Bounds as index, minimum and maximum, ... | the passes on | the columns kept.
    void boundsAreInclusive_data()
    {
        QTest::addColumn<QString>("row");
        // Exactly six 1, three X and four 2: 13! / (6! 3! 4!) columns.
        QTest::newRow("signs") << u"1 6 6 3 3 3 5 4 4|1000000|60060"_s;
        // Longest run of 1 from 13 to 13: the column of thirteen 1 only.
        QTest::newRow("runs") << u"7 13 13|0100000|1"_s;
        // Step-3 parallels 11..11: odd and even matches each of one sign, 3 x 3 columns.
        QTest::newRow("step 3") << u"46 11 11|0000001|9"_s;
        // Open bounds pass everything.
        QTest::newRow("open") << u"|1111111|1594323"_s;
    }
    void boundsAreInclusive()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|'),
                          bounds = fields[0].split(u' ', Qt::SkipEmptyParts);
        const QString& flags = fields[1];
        const qsizetype count = fields[2].toLongLong();
        ConditionSet conditions = openConditions();
        for (qsizetype k = 0; k < bounds.size(); k += 3)
            setBounds(conditions, bounds[k].toInt(), bounds[k + 1].toInt(), bounds[k + 2].toInt());
        const auto result = ReductionEngine::run(fullIntegral(), conditions, flags);
        QCOMPARE(result.survivors.count(), count);
        QVERIFY(result.survivors ==
                (bounds.isEmpty() ? fullIntegral() : reduceByDefinition(conditions, flags).first));
        QCOMPARE(result.passes.size(), bounds.isEmpty() ? 6 : 1);
        for (const auto& record : result.passes)
            QCOMPARE(record.count, count);
    }

    void disabledOrEmptyingPasses()
    {
        // Impossible symmetry bounds do nothing while symmetries are off.
        ConditionSet conditions = realisticConditions();
        setBounds(conditions, 17, 7, 7);
        auto result = ReductionEngine::run(fullIntegral(), conditions, u"1110111"_s);
        QVERIFY(!result.stoppedEmpty);
        QVERIFY(!passesOf(result).contains(Pass::Symmetries));
        result = ReductionEngine::run(fullIntegral(), conditions, u"1111111"_s);
        QVERIFY(result.stoppedEmpty);
        QCOMPARE(result.passes.back().pass, Pass::Symmetries);

        // A pass that leaves nothing ends the run; the sequences do not run, so their texts stay
        // as typed.
        conditions = realisticConditions();
        setBounds(conditions, 7, 14, 14);
        result = ReductionEngine::run(fullIntegral(), conditions, u"1111111"_s);
        QVERIFY(result.stoppedEmpty);
        QCOMPARE(passesOf(result), (Passes{Pass::SignCounts, Pass::SignRuns}));
        QCOMPARE(result.passes[1].count, 0);
        QVERIFY(result.survivors.isEmpty());
        QCOMPARE(conditions.text(ConditionSet::sequenceIndex(6)), u" 22 "_s);
    }

    // Signs that never occur at those matches remove nothing, and the pass still counts.
    void sequenceRemovingNothing()
    {
        // Matches 4, 5 and 11 triple, the rest fixed: 27 columns.
        QStringList signs(13, u"1"_s);
        signs[3] = signs[4] = signs[10] = u"1X2"_s;
        const ColumnBuffer integral = TestSystems::withPrediction(signs).IntegralColumns;
        ConditionSet never;
        setSequence(never, 1, u"XX"_s, u"1-2"_s);
        const auto result = ReductionEngine::run(integral, never, u"0000010"_s);
        QCOMPARE(passesOf(result), Passes{Pass::Sequence2});
        QCOMPARE(countsOf(result), QList<qsizetype>{27});
        QVERIFY(result.survivors == integral);
    }

    void labelTexts()
    {
        using namespace ReductionEngine;
        QCOMPARE(runningCountText(Pass::SignCounts, 5, 1594323), u" 5 su 1594323"_s);
        QCOMPARE(runningCountText(Pass::SignRuns, 5, 1594323), u" 5 su  1594323"_s);
        QCOMPARE(runningCountText(Pass::Sequence4, 12, 12), u" 12 su  12"_s);
        QCOMPARE(finalCountText(60060), u" 60060"_s);
        QCOMPARE(finalCountText(0), u" 0"_s);
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        QCOMPARE(costText(1594323, 0.5, italian), u"797.161,50 €"_s);
        QCOMPARE(costText(3, 0.5, italian), u"1,50 €"_s);
        QCOMPARE(costText(1594323, 0.5, QLocale::c()), u"797,161.50 €"_s);
        QCOMPARE(costText(1, 0.5, QLocale::c()), u"0.50 €"_s);
    }
};

QTEST_GUILESS_MAIN(TestReductionEngine)
#include "testReductionEngine.moc"
