#include "BenchSupport.h"

#include "conditions/FastMeasures.h"
#include "conditions/Measures.h"
#include "conditions/ReductionEngine.h"
#include "document/IntegralGenerator.h"

// Bounds a player would set on 13 triples, every kind in force and two excluded sequences.
ConditionSet realisticConditions()
{
    ConditionSet conditions;
    const auto bounds = [&](int index, double minimum, double maximum) {
        conditions.set(index, minimum);
        conditions.set(index + 1, maximum);
    };
    bounds(1, 4, 7);
    bounds(3, 2, 5);
    bounds(5, 2, 5);
    bounds(7, 1, 4);
    bounds(9, 1, 3);
    bounds(11, 1, 3);
    bounds(13, 6, 10);
    bounds(15, 2, 6);
    bounds(17, 1, 4);
    bounds(19, 1, 3);
    bounds(21, 1, 4);
    bounds(23, 1, 3);
    bounds(46, 2, 7);
    bounds(48, 1, 4);
    conditions.set(25, QStringLiteral("2X1"));
    conditions.set(26, QStringLiteral("4-5-11"));
    conditions.set(27, QStringLiteral("S"));
    conditions.set(28, QStringLiteral("22"));
    conditions.set(29, QStringLiteral("13-12"));
    conditions.set(30, QStringLiteral("S"));
    return conditions;
}

void benchEngine()
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    const ColumnBuffer integral = IntegralGenerator::generate(signs);
    const qsizetype count = integral.count();

    volatile int sink = 0;
    const double fast = medianMilliseconds(9, [&] {
        int total = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const ColumnMeasures m = FastMeasures::measure(integral.columnData(i));
            total += m.S1 + m.SC2 + m.IC + m.SC + m.PC + m.FC;
        }
        sink = total;
    });
    report(QStringLiteral("fast measures, 14 each, over 13 triples"), fast);
    QTextStream(stdout)
        << QStringLiteral("  %1 ns per column").arg(fast * 1e6 / double(count), 0, 'f', 1)
        << Qt::endl;

    const double plain = medianMilliseconds(5, [&] {
        int total = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const ColumnMeasures m = Measures::measure(integral.column(i));
            total += m.S1 + m.SC2 + m.IC + m.SC + m.PC + m.FC;
        }
        sink = total;
    });
    report(QStringLiteral("plain measures, 14 each, over 13 triples"), plain);

    qsizetype survivors = 0;
    const double all = medianMilliseconds(9, [&] {
        ConditionSet conditions = realisticConditions();
        survivors =
            ReductionEngine::run(integral, conditions, QStringLiteral("1111111")).survivors.count();
    });
    report(QStringLiteral("reduction, seven kinds + 2 sequences, 13 triples"), all);
    QTextStream(stdout) << QStringLiteral("  %1 columns left").arg(survivors) << Qt::endl;

    const double first = medianMilliseconds(9, [&] {
        ConditionSet conditions = realisticConditions();
        ReductionEngine::run(integral, conditions, QStringLiteral("1000000"));
    });
    report(QStringLiteral("reduction, signs min/max only, 13 triples"), first);
    (void)sink;
}
