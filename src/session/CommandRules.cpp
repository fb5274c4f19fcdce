#include "session/CommandRules.h"

#include "document/SystemDocument.h"

CommandState::CommandState() = default;

void CommandState::enable(std::initializer_list<const char*> names, bool enabled)
{
    for (const char* name : names)
        m_enabled[QLatin1String(name)] = enabled;
}

void CommandState::setEnabled(const QString& name, bool enabled)
{
    m_enabled[name] = enabled;
}

void CommandState::setVisible(const QString& name, bool visible)
{
    if (visible)
        m_hidden.remove(name);
    else
        m_hidden.insert(name);
}

void CommandState::setAvailable(const QString& name, bool available)
{
    if (available)
        m_unavailable.remove(name);
    else
        m_unavailable.insert(name);
}

bool CommandState::isEnabled(const QString& name) const
{
    return !m_unavailable.contains(name) && m_enabled.value(name, true);
}

void CommandState::apply(CommandRule rule, const SystemDocument& document)
{
    switch (rule) {
    case CommandRule::Reset:
        enable({"mnuSalvaCome",  "mnuSalva",      "mnuStampa",    "mnuRidotto",
                "mnuSchedine",   "mnuModifica",   "mnuConcData",  "mnuQuote",
                "mnuPronostico", "mnuCond",       "mnuElabora",   "mnuRisultati",
                "mnuVediColInt", "mnuVediColRid", "mnuProprieta", "mnuColVincente",
                "mnuConColRid",  "tmSalva",       "tmStampaPro",  "tmRidotto",
                "tmStCompl",     "tmSchedine",    "tmConcData",   "tmIncontri",
                "tmPronostico",  "tmSegni",       "tmInt",        "tmSim",
                "tmPar",         "tmParP3",       "tmSequele",    "tmCondAvanzate",
                "tmElabora",     "tmProprieta",   "tmDetta",      "tmAccorpa",
                "tmDisaccorpa",  "tmVediColInt",  "tmVediColRid", "tmConColRid",
                "mnuGaranzia",   "mnuGaranzie",   "mnuDiretta",   "mnuVerificaArchivio"},
               false);
        setVisible(QStringLiteral("tmAccorpa"), true);
        setVisible(QStringLiteral("tmDisaccorpa"), false);
        break;
    case CommandRule::MatchesConfirmed:
        enable({"mnuSalvaCome", "mnuSalva", "mnuModifica", "mnuIncontri", "mnuPronostico",
                "mnuProprieta", "mnuConcData", "mnuQuote", "mnuRisultati", "tmSalva", "tmIncontri",
                "tmPronostico", "tmProprieta", "tmConcData"},
               true);
        break;
    case CommandRule::PredictionConfirmed:
        enable({"mnuStampa", "mnuCond", "mnuColVincente", "mnuVediColInt", "tmStampaPro", "tmSegni",
                "tmInt", "tmSim", "tmPar", "tmParP3", "tmSequele", "tmCondAvanzate", "tmVediColInt",
                "mnuGaranzia", "mnuGaranzie", "mnuDiretta", "mnuVerificaArchivio"},
               true);
        enable({"mnuSchedine", "tmSchedine", "mnuRidotto", "tmRidotto", "tmStCompl", "mnuConColRid",
                "tmConColRid", "mnuDetta", "tmDetta", "tmAccorpa", "tmDisaccorpa", "mnuVediColRid",
                "tmVediColRid", "mnuAccorpa"},
               false);
        break;
    case CommandRule::ConditionsConfirmed:
        enable({"mnuElabora", "tmElabora"}, true);
        break;
    case CommandRule::ReductionConfirmed:
        enable({"mnuRidotto", "mnuSchedine", "mnuDetta", "mnuAccorpa", "mnuVediColRid",
                "mnuConColRid", "tmRidotto", "tmStCompl", "tmSchedine", "tmDetta", "tmAccorpa",
                "tmDisaccorpa", "tmVediColRid", "tmConColRid"},
               true);
        break;
    case CommandRule::ReducedStatus: {
        const bool reduced = document.ReducedCount >= 1;
        enable({"mnuVediColRid", "mnuConColRid", "mnuRidotto", "mnuSchedine", "mnuDetta",
                "mnuAccorpa"},
               reduced);
        if (reduced) {
            const bool merged = document.MergedCount >= 1;
            setVisible(QStringLiteral("tmAccorpa"), !merged);
            setVisible(QStringLiteral("tmDisaccorpa"), merged);
        }
        break;
    }
    case CommandRule::Opened: {
        const bool noMatches = document.MatchRecords[1].trimmed().isEmpty() &&
                               document.MatchRecords[13].trimmed().isEmpty();
        if (noMatches)
            apply(CommandRule::MatchesCancelled, document);
        else
            apply(CommandRule::MatchesConfirmed, document);
        if (document.IntegralCount > 0) {
            enable({"mnuStampa", "mnuCond", "mnuElabora", "mnuColVincente", "mnuVediColInt",
                    "tmStampaPro", "tmSegni", "tmInt", "tmSim", "tmPar", "tmParP3", "tmSequele",
                    "tmCondAvanzate", "tmElabora", "tmVediColInt", "mnuGaranzia", "mnuGaranzie",
                    "mnuDiretta", "mnuVerificaArchivio"},
                   true);
        }
        if (document.ReducedCount > 0) {
            enable({"mnuVediColRid", "mnuRidotto", "mnuSchedine", "tmSchedine", "tmRidotto",
                    "tmStCompl", "tmVediColRid", "tmConColRid", "tmDetta", "tmAccorpa",
                    "tmDisaccorpa"},
                   true);
            apply(CommandRule::ReducedStatus, document);
        }
        break;
    }
    case CommandRule::MatchesCancelled:
        enable({"mnuSalvaCome", "mnuSalva", "mnuModifica", "tmSalva", "tmIncontri"}, true);
        break;
    }
}
