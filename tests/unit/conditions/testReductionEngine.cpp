#include "conditions/Measures.h"
#include "conditions/ReductionEngine.h"
#include "conditions/SequenceFilter.h"
#include "document/IntegralGenerator.h"

#include <QTest>

namespace {

std::array<QString, 13> allTriples()
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    return signs;
}

const ColumnBuffer& fullIntegral()
{
    static const ColumnBuffer columns = IntegralGenerator::generate(allTriples());
    return columns;
}

// Bounds that let every column through, for every kind.
ConditionSet openConditions()
{
    ConditionSet conditions;
    for (int i : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 46, 48}) {
        conditions.set(i, 0.0);
        conditions.set(i + 1, 13.0);
    }
    return conditions;
}

void setBounds(ConditionSet& conditions, int index, double minimum, double maximum)
{
    conditions.set(index, minimum);
    conditions.set(index + 1, maximum);
}

void setSequence(ConditionSet& conditions, int slot, const QString& signs, const QString& fields,
                 const QString& active = QStringLiteral("S"))
{
    const int index = ConditionSet::sequenceIndex(slot);
    conditions.set(index, signs);
    conditions.set(index + 1, fields);
    conditions.set(index + 2, active);
}

struct Event {
    char kind; // 's'tarted, 'p'rogress, 'f'inished
    ReductionPass pass;
    qsizetype a;
    qsizetype b;
};

class RecordingObserver final : public ReductionObserver {
public:
    void passStarted(ReductionPass pass, qsizetype total) override
    {
        events.push_back({'s', pass, total, 0});
    }
    void passProgress(ReductionPass pass, qsizetype done, qsizetype total) override
    {
        events.push_back({'p', pass, done, total});
    }
    void passFinished(ReductionPass pass, qsizetype survivors) override
    {
        events.push_back({'f', pass, survivors, 0});
    }
    std::vector<Event> events;
};

bool within(const ConditionSet& conditions, int index, int value)
{
    return value >= conditions.number(index) && value <= conditions.number(index + 1);
}

// The passes written out from the plain definitions, one column at a time.
struct Reference {
    ColumnBuffer survivors;
    QList<qsizetype> counts;
};

Reference reduceByDefinition(const ColumnBuffer& integral, const ConditionSet& conditions,
                             const QString& flags)
{
    Reference reference;
    reference.survivors = integral;
    for (ReductionPass pass : ReductionEngine::passOrder()) {
        if (!ReductionEngine::isActive(pass, conditions, flags))
            continue;
        ColumnBuffer kept;
        for (qsizetype i = 0; i < reference.survivors.count(); ++i) {
            const QByteArrayView column = reference.survivors.column(i);
            const ColumnMeasures m = Measures::measure(column);
            bool passes = true;
            switch (pass) {
            case ReductionPass::SignCounts:
                passes = within(conditions, 1, m.S1) && within(conditions, 3, m.SX) &&
                         within(conditions, 5, m.S2);
                break;
            case ReductionPass::SignRuns:
                passes = within(conditions, 7, m.SC1) && within(conditions, 9, m.SCX) &&
                         within(conditions, 11, m.SC2);
                break;
            case ReductionPass::Interruptions:
                passes = within(conditions, 13, m.IG) && within(conditions, 15, m.IC);
                break;
            case ReductionPass::Symmetries:
                passes = within(conditions, 17, m.SG) && within(conditions, 19, m.SC);
                break;
            case ReductionPass::Parallels:
                passes = within(conditions, 21, m.PG) && within(conditions, 23, m.PC);
                break;
            case ReductionPass::ParallelsStep3:
                passes = within(conditions, 46, m.FG) && within(conditions, 48, m.FC);
                break;
            default: {
                const int index =
                    ConditionSet::sequenceIndex(ReductionEngine::sequenceSlotOf(pass));
                const SequenceFilter sequence(conditions.text(index), conditions.text(index + 1));
                passes = !sequence.eliminates(column);
            }
            }
            if (passes)
                kept.append(column);
        }
        reference.survivors = kept;
        reference.counts.append(kept.count());
        if (kept.isEmpty())
            break;
    }
    return reference;
}

QList<qsizetype> countsOf(const ReductionEngine::Result& result)
{
    QList<qsizetype> counts;
    for (const auto& record : result.passes)
        counts.append(record.count);
    return counts;
}

QList<ReductionPass> passesOf(const ReductionEngine::Result& result)
{
    QList<ReductionPass> passes;
    for (const auto& record : result.passes)
        passes.append(record.pass);
    return passes;
}

// A condition set of the kind a player uses on 13 triples.
ConditionSet realisticConditions()
{
    ConditionSet conditions;
    setBounds(conditions, 1, 4, 7);   // S1
    setBounds(conditions, 3, 2, 5);   // SX
    setBounds(conditions, 5, 2, 5);   // S2
    setBounds(conditions, 7, 1, 4);   // SC1
    setBounds(conditions, 9, 1, 3);   // SCX
    setBounds(conditions, 11, 1, 3);  // SC2
    setBounds(conditions, 13, 6, 10); // IG
    setBounds(conditions, 15, 2, 6);  // IC
    setBounds(conditions, 17, 1, 4);  // SG
    setBounds(conditions, 19, 1, 3);  // SC
    setBounds(conditions, 21, 1, 4);  // PG
    setBounds(conditions, 23, 1, 3);  // PC
    setSequence(conditions, 0, QStringLiteral("2X1"), QStringLiteral("4-5-11"));
    setSequence(conditions, 1, QStringLiteral("111"), QStringLiteral("1-2-3"), QStringLiteral("N"));
    setSequence(conditions, 2, QStringLiteral(" 22 "), QStringLiteral("13-12"));
    setBounds(conditions, 46, 2, 7); // FG
    setBounds(conditions, 48, 1, 4); // FC
    return conditions;
}

} // namespace

class TestReductionEngine : public QObject {
    Q_OBJECT
private slots:
    void allKindsMatchTheDefinitions()
    {
        ConditionSet conditions = realisticConditions();
        const QString flags = QStringLiteral("1111111");
        const Reference reference = reduceByDefinition(fullIntegral(), conditions, flags);
        const auto result = ReductionEngine::run(fullIntegral(), conditions, flags);
        QCOMPARE(passesOf(result),
                 (QList<ReductionPass>{ReductionPass::SignCounts, ReductionPass::SignRuns,
                                       ReductionPass::Interruptions, ReductionPass::Symmetries,
                                       ReductionPass::Parallels, ReductionPass::Sequence1,
                                       ReductionPass::Sequence3, ReductionPass::ParallelsStep3}));
        QCOMPARE(countsOf(result), reference.counts);
        QVERIFY(result.survivors == reference.survivors);
        QVERIFY(!result.stoppedEmpty);
        QVERIFY(result.survivors.count() > 0);
        // Each pass removes something with these bounds, so the order shows in the counts.
        for (qsizetype i = 1; i < reference.counts.size(); ++i)
            QVERIFY(reference.counts[i] < reference.counts[i - 1]);
        // The sequence that ran has its signs trimmed in the condition set.
        QCOMPARE(conditions.at(31).toString(), QStringLiteral("22"));
        QCOMPARE(result.passes[6].caption, QStringLiteral("Colonne Condizionate con Sequela 3"));
    }

    void observerSeesEveryPassInOrder()
    {
        ConditionSet conditions = realisticConditions();
        RecordingObserver observer;
        const auto result =
            ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("1000001"), &observer);
        QCOMPARE(result.passes.size(), 2);
        // First pass: started with the whole system, progress every 65536 columns and at the
        // end, then finished with its survivors.
        const qsizetype total = fullIntegral().count();
        QCOMPARE(observer.events.front().kind, 's');
        QCOMPARE(observer.events.front().a, total);
        qsizetype expectedDone = 0;
        std::size_t i = 1;
        for (; observer.events[i].kind == 'p'; ++i) {
            expectedDone = qMin(total, expectedDone + ReductionEngine::ProgressInterval);
            QCOMPARE(observer.events[i].pass, ReductionPass::SignCounts);
            QCOMPARE(observer.events[i].a, expectedDone);
            QCOMPARE(observer.events[i].b, total);
        }
        QCOMPARE(expectedDone, total);
        QCOMPARE(int(i), 1 + int((total + 65535) / 65536));
        QCOMPARE(observer.events[i].kind, 'f');
        QCOMPARE(observer.events[i].a, result.passes[0].count);
        QCOMPARE(observer.events[i + 1].kind, 's');
        QCOMPARE(observer.events[i + 1].pass, ReductionPass::ParallelsStep3);
        QCOMPARE(observer.events[i + 1].a, result.passes[0].count);
        QCOMPARE(observer.events.back().kind, 'f');
        QCOMPARE(observer.events.back().a, result.passes[1].count);
    }

    void disabledKindIsSkipped()
    {
        // Impossible symmetry bounds do nothing while symmetries are off.
        ConditionSet conditions = realisticConditions();
        setBounds(conditions, 17, 7, 7);
        const auto off =
            ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("1110111"));
        QVERIFY(!off.stoppedEmpty);
        QVERIFY(!passesOf(off).contains(ReductionPass::Symmetries));
        conditions = realisticConditions();
        setBounds(conditions, 17, 7, 7);
        const auto on = ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("1111111"));
        QVERIFY(on.stoppedEmpty);
        QCOMPARE(on.passes.back().pass, ReductionPass::Symmetries);
    }

    void boundsAreInclusive()
    {
        // Exactly six 1, three X and four 2: 13! / (6! 3! 4!) columns.
        ConditionSet conditions = openConditions();
        setBounds(conditions, 1, 6, 6);
        setBounds(conditions, 3, 3, 3);
        setBounds(conditions, 5, 4, 4);
        auto result = ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("1000000"));
        QCOMPARE(result.survivors.count(), 60060);
        for (qsizetype i = 0; i < result.survivors.count(); ++i) {
            const ColumnMeasures m = Measures::measure(result.survivors.column(i));
            QVERIFY(m.S1 == 6 && m.SX == 3 && m.S2 == 4);
        }

        // Longest run of 1 from 13 to 13: the column of thirteen 1 only.
        conditions = openConditions();
        setBounds(conditions, 7, 13, 13);
        result = ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("0100000"));
        QCOMPARE(result.survivors.count(), 1);
        QCOMPARE(result.survivors.column(0), QByteArrayView("1111111111111"));

        // Step-3 parallels 11..11: odd and even matches each of one sign, 3 x 3 columns.
        conditions = openConditions();
        setBounds(conditions, 46, 11, 11);
        result = ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("0000001"));
        QCOMPARE(result.survivors.count(), 9);
    }

    void openBoundsPassEverything()
    {
        ConditionSet conditions = openConditions();
        const auto result =
            ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("1111111"));
        QCOMPARE(result.passes.size(), 6);
        for (const auto& record : result.passes)
            QCOMPARE(record.count, fullIntegral().count());
        QVERIFY(result.survivors == fullIntegral());
    }

    void stopsWhenAPassLeavesNothing()
    {
        ConditionSet conditions = realisticConditions();
        setBounds(conditions, 7, 14, 14); // no column has a run of 14
        const auto result =
            ReductionEngine::run(fullIntegral(), conditions, QStringLiteral("1111111"));
        QVERIFY(result.stoppedEmpty);
        QCOMPARE(passesOf(result),
                 (QList<ReductionPass>{ReductionPass::SignCounts, ReductionPass::SignRuns}));
        QCOMPARE(result.passes[1].count, 0);
        QVERIFY(result.survivors.isEmpty());
        // The sequences did not run, so their texts stay as typed.
        QCOMPARE(conditions.at(31).toString(), QStringLiteral(" 22 "));
    }

    void sequencesOnTheirMatches()
    {
        // Matches 4, 5 and 11 triple, the rest fixed: 27 columns in integral order.
        std::array<QString, 13> signs;
        signs.fill(QStringLiteral("1"));
        signs[3] = signs[4] = signs[10] = QStringLiteral("1X2");
        const ColumnBuffer integral = IntegralGenerator::generate(signs);
        QCOMPARE(integral.count(), 27);

        const auto missing = [&](const ColumnBuffer& survivors) {
            QList<QByteArray> gone;
            qsizetype k = 0;
            for (qsizetype i = 0; i < integral.count(); ++i) {
                if (k < survivors.count() && survivors.column(k) == integral.column(i))
                    ++k;
                else
                    gone.append(integral.column(i).toByteArray());
            }
            return gone;
        };

        ConditionSet conditions;
        setSequence(conditions, 0, QStringLiteral("2X1"), QStringLiteral("4-5-11"));
        auto result = ReductionEngine::run(integral, conditions, QStringLiteral("0000010"));
        QCOMPARE(result.survivors.count(), 26);
        QCOMPARE(missing(result.survivors), QList<QByteArray>{"1112X11111111"});

        setSequence(conditions, 0, QStringLiteral("2X1"), QStringLiteral("11-5-4"));
        result = ReductionEngine::run(integral, conditions, QStringLiteral("0000010"));
        QCOMPARE(missing(result.survivors), QList<QByteArray>{"1111X11111211"});

        // Two active sequences: two passes, each with its own count.
        setSequence(conditions, 0, QStringLiteral("2X1"), QStringLiteral("4-5-11"));
        setSequence(conditions, 6, QStringLiteral("22"), QStringLiteral("4-11"));
        result = ReductionEngine::run(integral, conditions, QStringLiteral("0000010"));
        QCOMPARE(passesOf(result),
                 (QList<ReductionPass>{ReductionPass::Sequence1, ReductionPass::Sequence7}));
        QCOMPARE(countsOf(result), (QList<qsizetype>{26, 23}));
        QCOMPARE(result.passes[1].caption, QStringLiteral("Colonne Condizionate con Sequela 7"));

        // Signs that never occur at those matches remove nothing, and the pass still counts.
        ConditionSet never;
        setSequence(never, 1, QStringLiteral("XX"), QStringLiteral("1-2"));
        result = ReductionEngine::run(integral, never, QStringLiteral("0000010"));
        QCOMPARE(passesOf(result), QList<ReductionPass>{ReductionPass::Sequence2});
        QCOMPARE(countsOf(result), QList<qsizetype>{27});
        QVERIFY(result.survivors == integral);
    }

    void labelTexts()
    {
        using namespace ReductionEngine;
        QCOMPARE(runningCountText(ReductionPass::SignCounts, 5, 1594323),
                 QStringLiteral(" 5 su 1594323"));
        QCOMPARE(runningCountText(ReductionPass::SignRuns, 5, 1594323),
                 QStringLiteral(" 5 su  1594323"));
        QCOMPARE(runningCountText(ReductionPass::Sequence4, 12, 12), QStringLiteral(" 12 su  12"));
        QCOMPARE(finalCountText(60060), QStringLiteral(" 60060"));
        QCOMPARE(finalCountText(0), QStringLiteral(" 0"));
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        QCOMPARE(costText(1594323, 0.5, italian), QStringLiteral("797.161,50 €"));
        QCOMPARE(costText(3, 0.5, italian), QStringLiteral("1,50 €"));
        const QLocale c(QLocale::C);
        QCOMPARE(costText(1594323, 0.5, c), QStringLiteral("797,161.50 €"));
        QCOMPARE(costText(1, 0.5, c), QStringLiteral("0.50 €"));
    }
};

QTEST_GUILESS_MAIN(TestReductionEngine)
#include "testReductionEngine.moc"
