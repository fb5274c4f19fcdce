#include "BenchSupport.h"

#include "conditions/ConditionRules.h"
#include "conditions/LiveColumnCount.h"
#include "conditions/ReductionEngine.h"
#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "document/SystemFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

ConditionSet realisticConditions();

namespace {

// Every kind, seven excluded sequences, errors 0..2 with the signs always kept, values from
// uneven odds with a sum window, ten reference columns and the 1,000 most probable.
void everything(ConditionSet& conditions, AdvancedConditions& advanced)
{
    conditions = realisticConditions();
    const QStringList signs = {u"2X1"_s, u"22"_s, u"111"_s, u"XX"_s, u"1X2"_s, u"2222"_s, u"X1"_s};
    const QStringList fields = {u"4-5-11"_s,  u"13-12"_s,    u"1-2-3"_s, u"7-8"_s,
                                u"9-10-11"_s, u"1-4-7-10"_s, u"6-2"_s};
    for (int slot = 0; slot < ConditionSet::SequenceSlots; ++slot) {
        const int index = ConditionSet::sequenceIndex(slot);
        conditions.set(index, signs[slot]);
        conditions.set(index + 1, fields[slot]);
        conditions.set(index + 2, u"S"_s);
    }
    QRandomGenerator random(2026);
    AdvancedConditions::SignValues values{};
    for (auto& match : values) {
        const double one = 30 + random.bounded(40), draw = 15 + random.bounded(15);
        match = {one, draw, 100 - one - draw};
    }
    advanced.setValues(values);
    advanced.errorsTo = 2;
    advanced.strict[0] = true;
    advanced.sum = AdvancedConditions::Range{420, 560};
    for (int r = 0; r < AdvancedConditions::MaxReferences; ++r) {
        QByteArray column;
        for (int i = 0; i < 13; ++i)
            column += "1X2"[random.bounded(3)];
        advanced.references.append({column, 2, 11});
    }
    advanced.topCount = 1000;
}

} // namespace

void benchAdvanced(const QString& cliPath)
{
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    const ColumnBuffer integral = IntegralGenerator::generate(signs);
    const QString flags = QStringLiteral("1111111");
    ConditionSet conditions;
    AdvancedConditions advanced;
    everything(conditions, advanced);

    qsizetype survivors = 0;
    // The same machine's pace on the reduction without advanced conditions, for comparison.
    report(QStringLiteral("reduction, seven kinds + 7 sequences, no advanced"),
           medianMilliseconds(9, [&] {
               ConditionSet scratch = conditions;
               survivors = ReductionEngine::run(integral, scratch, flags).survivors.count();
           }));
    report(
        QStringLiteral("tolerance reduction, everything, 13 triples"), medianMilliseconds(9, [&] {
            ConditionSet scratch = conditions;
            survivors = ReductionEngine::run(integral, scratch, flags, advanced).survivors.count();
        }));
    QTextStream(stdout) << QStringLiteral("  %1 columns left").arg(survivors) << Qt::endl;
    AdvancedConditions noTop = advanced;
    noTop.topCount = 0;
    report(QStringLiteral("tolerance reduction without the most probable"),
           medianMilliseconds(9, [&] {
               ConditionSet scratch = conditions;
               survivors = ReductionEngine::run(integral, scratch, flags, noTop).survivors.count();
           }));
    QTextStream(stdout) << QStringLiteral("  %1 columns before the most probable").arg(survivors)
                        << Qt::endl;
    report(QStringLiteral("live count, everything, 13 triples"), medianMilliseconds(9, [&] {
               survivors = LiveColumnCount::count(integral, conditions, flags, advanced);
           }));
    report(QStringLiteral("errors histogram, everything, 13 triples"), medianMilliseconds(9, [&] {
               const ConditionRules rules(conditions, flags, advanced);
               survivors = rules.errorsHistogram(integral).strictlyEliminated;
           }));

    if (cliPath.isEmpty())
        return;
    QTemporaryDir dir;
    SystemDocument document;
    document.SystemName = QStringLiteral("Bench");
    for (int i = 1; i <= 13; ++i)
        document.setSigns(i, signs[i - 1]);
    document.IntegralCount = qint32(integral.count());
    document.IntegralColumns = integral;
    document.EnableFlags = flags;
    document.Conditions = conditions;
    document.Advanced = advanced;
    SystemFiles::save(document, dir.path());
    const QString pro = dir.filePath(QStringLiteral("Bench.pro"));
    report(QStringLiteral("quadrigo13-cli reduce, everything, 13 triples (wall)"),
           medianMilliseconds(3, [&] {
               QProcess process;
               process.start(cliPath, {QStringLiteral("reduce"), pro,
                                       QStringLiteral("--app-folder"), dir.path()});
               process.waitForFinished(-1);
           }));
}
