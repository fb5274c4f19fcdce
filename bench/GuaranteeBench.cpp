#include "BenchSupport.h"

#include "conditions/GuaranteeCover.h"
#include "conditions/ReductionEngine.h"
#include "document/IntegralGenerator.h"

#include <QElapsedTimer>

namespace {

std::array<QString, 13> allTriples()
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    return signs;
}

// One run, its size and whether the independent check holds, with the time it took.
void measure(const QString& what, const ColumnBuffer& targets, int level,
             GuaranteeCover::Source source, int seconds)
{
    GuaranteeCover::Request request;
    request.targets = targets;
    request.signs = allTriples();
    request.level = level;
    request.source = source;
    // The first complete cover alone, then with the time to improve it.
    request.budgetMilliseconds = 0;
    QElapsedTimer first;
    first.start();
    const qsizetype firstSize = GuaranteeCover::build(request).played.count();
    report(QStringLiteral("%1: first cover %2 columns").arg(what).arg(firstSize),
           first.nsecsElapsed() / 1e6);
    request.budgetMilliseconds = seconds * 1000;
    QElapsedTimer timer;
    timer.start();
    const GuaranteeCover::Result result = GuaranteeCover::build(request);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    const GuaranteeCover::Check check = GuaranteeCover::verify(targets, result.played);
    report(QStringLiteral("%1: %2 -> %3 columns%4")
               .arg(what)
               .arg(targets.count())
               .arg(result.played.count())
               .arg(check.covers(level) ? QString() : QStringLiteral(" (NOT COVERED)")),
           elapsed);
}

} // namespace

// Sizes reached and times of the cover with a guarantee, on the full system and on a
// conditioned one of about 100,000 columns.
void benchGuarantee()
{
    const ColumnBuffer integral = IntegralGenerator::generate(allTriples());
    measure(QStringLiteral("guarantee 12, 3^13"), integral, 12, GuaranteeCover::Source::Protected,
            10);
    measure(QStringLiteral("guarantee 11, 3^13"), integral, 11, GuaranteeCover::Source::Protected,
            60);

    // One sign six times, the others three or four times each: 120,120 columns.
    ConditionSet conditions;
    const QList<double> bounds = {6, 6, 3, 4, 3, 4};
    for (int k = 1; k <= 6; ++k)
        conditions.set(k, bounds[k - 1]);
    const ColumnBuffer conditioned =
        ReductionEngine::run(integral, conditions, QStringLiteral("1000000")).survivors;
    for (const int level : {12, 11}) {
        measure(QStringLiteral("guarantee %1, conditioned, played from it").arg(level), conditioned,
                level, GuaranteeCover::Source::Protected, 10);
        measure(QStringLiteral("guarantee %1, conditioned, played from the integral").arg(level),
                conditioned, level, GuaranteeCover::Source::Integral, 10);
    }
}
