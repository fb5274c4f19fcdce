#include "BenchSupport.h"

#include "conditions/LiveColumnCount.h"
#include "conditions/LiveCountRunner.h"
#include "document/IntegralGenerator.h"

#include <QEventLoop>

namespace {

// Every kind of condition in force, with bounds a player sets on 13 triples.
ConditionSet everyKind()
{
    ConditionSet conditions;
    const QList<double> bounds = {4, 7,  2, 5, 2, 5, 1, 4, 1, 3, 1, 3,
                                  6, 10, 2, 6, 1, 4, 1, 3, 1, 4, 1, 3};
    for (int i = 1; i <= 24; ++i)
        conditions.set(i, bounds[i - 1]);
    conditions.set(46, 2.0);
    conditions.set(47, 7.0);
    conditions.set(48, 1.0);
    conditions.set(49, 4.0);
    const QStringList sequences = {QStringLiteral("2X1"),   QStringLiteral("4-5-11"),
                                   QStringLiteral("S"),     QStringLiteral("22"),
                                   QStringLiteral("13-12"), QStringLiteral("S")};
    for (int i = 0; i < sequences.size(); ++i)
        conditions.set(25 + i, sequences[i]);
    return conditions;
}

} // namespace

// What one keystroke costs before the label can change: the count of the full integral system
// with every kind enabled.
void benchLiveCount()
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    const ColumnBuffer integral = IntegralGenerator::generate(signs);
    const ConditionSet conditions = everyKind();
    const QString flags = QStringLiteral("1111111");
    qsizetype left = 0;
    const double milliseconds =
        medianMilliseconds(21, [&] { left = LiveColumnCount::count(integral, conditions, flags); });
    report(QStringLiteral("live count, 13 triples, every kind (%1 left)").arg(left), milliseconds);

    // The same through the worker: from the request to the count arriving in the event loop
    // that sets the label.
    LiveCountRunner runner;
    QEventLoop loop;
    QObject::connect(&runner, &LiveCountRunner::counted, &loop, &QEventLoop::quit);
    const double roundTrip = medianMilliseconds(21, [&] {
        runner.request(integral, conditions, flags);
        loop.exec();
    });
    report(QStringLiteral("live count, request to result on the worker"), roundTrip);
}
