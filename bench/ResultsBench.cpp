#include "BenchSupport.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "reports/ResultsLogic.h"
#include "reports/ui/ResultsWindow.h"
#include "session/Session.h"

#include <QCoreApplication>

#include <QTemporaryDir>

// What the results window does on opening with a reduced system of 3^13 columns: the results
// file read back, the points, and the columns counted by points for the winnings line.
void benchResults()
{
    SystemDocument document;
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1X2"));
    for (int match = 1; match <= ResultsLogic::Matches; ++match)
        document.setSigns(match, signs[match - 1]);
    document.IntegralColumns = IntegralGenerator::generate(signs);
    document.IntegralCount = qint32(document.IntegralColumns.count());
    document.WorkColumns = document.IntegralColumns;
    document.ReducedCount = document.IntegralCount;

    ResultsLogic::Fields fields = ResultsLogic::initial(document);
    for (int match = 1; match <= ResultsLogic::Matches; ++match) {
        const ResultsLogic::Score score =
            ResultsLogic::parseScore(QStringLiteral("%1-1").arg(match % 3));
        fields[ResultsLogic::scoreField(match) - 1] = score.text;
        fields[ResultsLogic::signField(match) - 1] = score.sign;
    }
    fields[ResultsLogic::FirstPrize - 1] = QStringLiteral("125000,50");
    QTemporaryDir dir;
    const QString path = ResultsLogic::filePath(dir.path(), QStringLiteral("Bench"));
    ResultsLogic::write(path, fields);

    qint32 total = 0;
    report(QStringLiteral("results window opening, 3^13 reduced (file, points, categories)"),
           medianMilliseconds(7, [&] {
               ResultsLogic::Fields read = ResultsLogic::initial(document);
               ResultsLogic::read(path, read);
               total += ResultsLogic::points(read, document);
               total += ResultsLogic::winningsOf(read, document)->counts[0];
           }));
    if (total == 0)
        report(QStringLiteral("(no points counted)"), 0);

    // The window itself, from construction to shown, on the same system and results file.
    SilentPrompts prompts;
    Session session(dir.path(), prompts);
    session.document() = document;
    session.document().SystemName = QStringLiteral("Bench");
    session.options()[Options::SystemsFolder] = dir.path();
    report(QStringLiteral("results window opened and shown, 3^13 reduced"),
           medianMilliseconds(7, [&] {
               ResultsWindow window(session);
               window.show();
               QCoreApplication::processEvents();
           }));
}
