#include "document/SystemDocument.h"
#include "session/CommandRules.h"

#include <QTest>

namespace {
bool allEnabled(const CommandState& state, const QStringList& names, bool enabled)
{
    for (const QString& name : names) {
        if (state.isEnabled(name) != enabled) {
            qWarning("%s is %s", qPrintable(name), enabled ? "disabled" : "enabled");
            return false;
        }
    }
    return true;
}

const QStringList AlwaysAvailable = {
    "mnuNuovo",        "mnuApri",    "mnuImposta",     "mnuEsci",        "mnuSquadre",
    "mnuApplicazione", "mnuToolBar", "mnuAggiungiCol", "mnuStatistiche", "mnuAbout"};
const QStringList PredictionLevel = {"mnuStampa",   "mnuCond", "mnuColVincente", "mnuVediColInt",
                                     "tmStampaPro", "tmSegni", "tmInt",          "tmSim",
                                     "tmPar",       "tmParP3", "tmSequele",      "tmVediColInt"};
const QStringList ReducedLevel = {"mnuSchedine", "tmSchedine",    "mnuRidotto",   "tmRidotto",
                                  "tmStCompl",   "mnuConColRid",  "tmConColRid",  "mnuDetta",
                                  "tmDetta",     "mnuVediColRid", "tmVediColRid", "mnuAccorpa"};
} // namespace

class TestCommandRules : public QObject {
    Q_OBJECT
private slots:
    void resetDisablesTheDocumentCommands()
    {
        SystemDocument document;
        CommandState state;
        state.apply(CommandRule::Reset, document);
        QVERIFY(allEnabled(state, AlwaysAvailable, true));
        QVERIFY(allEnabled(state,
                           {"mnuSalva", "mnuSalvaCome", "mnuModifica", "mnuQuote", "tmSalva",
                            "tmIncontri", "tmElabora", "mnuElabora"},
                           false));
        QVERIFY(state.isVisible(QStringLiteral("tmAccorpa")));
        QVERIFY(!state.isVisible(QStringLiteral("tmDisaccorpa")));
    }

    void progressOfASystem()
    {
        SystemDocument document;
        CommandState state;
        state.apply(CommandRule::Reset, document);
        state.apply(CommandRule::MatchesConfirmed, document);
        QVERIFY(allEnabled(
            state,
            {"mnuSalva", "mnuModifica", "mnuPronostico", "mnuQuote", "tmIncontri", "tmConcData"},
            true));
        QVERIFY(allEnabled(state, PredictionLevel, false));

        state.apply(CommandRule::PredictionConfirmed, document);
        QVERIFY(allEnabled(state, PredictionLevel, true));
        QVERIFY(allEnabled(state, ReducedLevel, false));
        QVERIFY(!state.isEnabled(QStringLiteral("mnuElabora")));

        state.apply(CommandRule::ConditionsConfirmed, document);
        QVERIFY(state.isEnabled(QStringLiteral("mnuElabora")));

        document.ReducedCount = 5;
        state.apply(CommandRule::ReductionConfirmed, document);
        QVERIFY(allEnabled(state, ReducedLevel, true));

        document.MergedCount = 2;
        state.apply(CommandRule::ReducedStatus, document);
        QVERIFY(!state.isVisible(QStringLiteral("tmAccorpa")));
        QVERIFY(state.isVisible(QStringLiteral("tmDisaccorpa")));

        document.ReducedCount = 0;
        state.apply(CommandRule::ReducedStatus, document);
        QVERIFY(allEnabled(state,
                           {"mnuVediColRid", "mnuConColRid", "mnuRidotto", "mnuSchedine",
                            "mnuDetta", "mnuAccorpa"},
                           false));
    }

    void openFollowsHowFarTheSystemGot()
    {
        SystemDocument document;
        CommandState state;
        state.apply(CommandRule::Reset, document);
        state.apply(CommandRule::Opened, document);
        // No matches: only saving and the matches dialog.
        QVERIFY(allEnabled(
            state, {"mnuSalvaCome", "mnuSalva", "mnuModifica", "tmSalva", "tmIncontri"}, true));
        QVERIFY(allEnabled(state, {"mnuPronostico", "mnuCond", "tmElabora"}, false));

        document.setHomeTeam(1, QStringLiteral("ROMA"));
        document.IntegralCount = 6;
        document.ReducedCount = 2;
        state.apply(CommandRule::Reset, document);
        state.apply(CommandRule::Opened, document);
        QVERIFY(allEnabled(state,
                           {"mnuPronostico", "mnuCond", "mnuElabora", "tmElabora", "mnuVediColInt",
                            "mnuVediColRid", "tmSchedine", "mnuAccorpa"},
                           true));
    }

    void unavailableCommandsStayDisabled()
    {
        SystemDocument document;
        CommandState state;
        state.setAvailable(QStringLiteral("mnuSchedine"), false);
        document.ReducedCount = 1;
        state.apply(CommandRule::ReductionConfirmed, document);
        QVERIFY(!state.isEnabled(QStringLiteral("mnuSchedine")));
        state.setAvailable(QStringLiteral("mnuSchedine"), true);
        QVERIFY(state.isEnabled(QStringLiteral("mnuSchedine")));
    }
};

QTEST_GUILESS_MAIN(TestCommandRules)
#include "testCommandRules.moc"
