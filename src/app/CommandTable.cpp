#include "app/CommandTable.h"

#include <array>

namespace CommandTable {

namespace {

constexpr CommandEntry Sep(const char* parent)
{
    return {"-", "", parent, nullptr, nullptr};
}

constexpr std::array MenuEntries = {
    CommandEntry{"mnuFile", "&File", nullptr, nullptr, nullptr},
    CommandEntry{"mnuNuovo", "&Nuovo", "mnuFile", "Ctrl+N", nullptr},
    CommandEntry{"mnuApri", "&Apri", "mnuFile", "Ctrl+A", nullptr},
    Sep("mnuFile"),
    CommandEntry{"mnuSalva", "&Salva", "mnuFile", "Ctrl+S", nullptr},
    CommandEntry{"mnuSalvaCome", "Sa&lva con nome...", "mnuFile", nullptr, nullptr},
    Sep("mnuFile"),
    CommandEntry{"mnuImposta", "&Imposta Stampante", "mnuFile", nullptr, nullptr},
    Sep("mnuFile"),
    CommandEntry{"mnuStampa", "Stam&pa", "mnuFile", nullptr, nullptr},
    CommandEntry{"mnuStampaPro", "Solo P&ronostico", "mnuStampa", nullptr, nullptr},
    CommandEntry{"mnuStampaProCol", "Pronostico e Colonne", "mnuStampa", nullptr, nullptr},
    CommandEntry{"mnuRidotto", "&Ridotto", "mnuStampaProCol", nullptr, nullptr},
    CommandEntry{"mnuIntegrale", "&Integrale", "mnuStampaProCol", nullptr, nullptr},
    CommandEntry{"mnuSchedine", "Sc&hedine", "mnuStampa", "F3", nullptr},
    Sep("mnuFile"),
    CommandEntry{"mnuEsci", "&Esci", "mnuFile", "Ctrl+Q", nullptr},

    CommandEntry{"mnuModifica", "&Modifica", nullptr, nullptr, nullptr},
    CommandEntry{"mnuConcData", "Co&ncorso e Data", "mnuModifica", "Ctrl+K", nullptr},
    CommandEntry{"mnuIncontri", "&Incontri", "mnuModifica", "Ctrl+C", nullptr},
    Sep("mnuModifica"),
    CommandEntry{"mnuPronostico", "&Pronostico", "mnuModifica", "Ctrl+R", nullptr},
    CommandEntry{"mnuCond", "&Condizioni", "mnuModifica", nullptr, nullptr},
    CommandEntry{"mnuSegni", "Se&gni", "mnuCond", "Ctrl+G", nullptr},
    CommandEntry{"mnuInt", "&Interruzioni", "mnuCond", "Ctrl+I", nullptr},
    CommandEntry{"mnuSim", "Si&mmetrie", "mnuCond", "Ctrl+M", nullptr},
    CommandEntry{"mnuPar", "Para&lleli", "mnuCond", "Ctrl+L", nullptr},
    CommandEntry{"mnuSequele", "Seq&uele", "mnuCond", "Ctrl+U", nullptr},
    CommandEntry{"mnuParP3", "Parallei P&3", "mnuCond", "Ctrl+F", nullptr},
    CommandEntry{"mnuCondAvanzate", "Condizioni &Avanzate...", "mnuCond", nullptr, nullptr},
    Sep("mnuModifica"),
    CommandEntry{"mnuQuote", "&Quote", "mnuModifica", "Ctrl+T", nullptr},
    Sep("mnuModifica"),
    CommandEntry{"mnuElabora", "&Elabora Ridotto", "mnuModifica", "Ctrl+E", nullptr},
    CommandEntry{"mnuGaranzia", "Riduzione con &Garanzia...", "mnuModifica", nullptr, nullptr},
    Sep("mnuModifica"),
    CommandEntry{"mnuRisultati", "&Risultati Finali", "mnuModifica", "Ctrl+J", nullptr},
    CommandEntry{"mnuDiretta", "Risultati in Dirett&a", "mnuModifica", nullptr, nullptr},

    CommandEntry{"mnuOpzioni", "&Opzioni", nullptr, nullptr, nullptr},
    CommandEntry{"mnuSquadre", "Sq&uadre", "mnuOpzioni", "Ctrl+Y", nullptr},
    Sep("mnuOpzioni"),
    CommandEntry{"mnuApplicazione", "App&licazione", "mnuOpzioni", "Ctrl+Z", nullptr},
    Sep("mnuOpzioni"),
    CommandEntry{"mnuAccorpa", "&Accorpa Colonne", "mnuOpzioni", "F5", nullptr},
    Sep("mnuOpzioni"),
    CommandEntry{"mnuDetta", "&Dettatura Colonne", "mnuOpzioni", "Ctrl+B", nullptr},
    Sep("mnuOpzioni"),
    CommandEntry{"mnuColVincente", "&Spoglio Schedine", "mnuOpzioni", nullptr, nullptr},
    CommandEntry{"mnuConColRid", "Sistema Ridotto", "mnuColVincente", "Ctrl+X", nullptr},
    CommandEntry{"mnuConColInt", "Sistema Integrale", "mnuColVincente", "F2", nullptr},

    CommandEntry{"mnuVisualizza", "&Visualizza", nullptr, nullptr, nullptr},
    CommandEntry{"mnuProprieta", "Pr&oprietà Sistema", "mnuVisualizza", "Ctrl+O", nullptr},
    CommandEntry{"mnuGaranzie", "Gara&nzie del Sistema", "mnuVisualizza", nullptr, nullptr},
    Sep("mnuVisualizza"),
    CommandEntry{"mnuVediColRid", "Colonne Ri&dotto", "mnuVisualizza", "Ctrl+D", nullptr},
    CommandEntry{"mnuVediColInt", "Colonne Inte&grale", "mnuVisualizza", "Ctrl+W", nullptr},
    Sep("mnuVisualizza"),
    CommandEntry{"mnuToolBar", "Barra degli Strumenti", "mnuVisualizza", nullptr, nullptr},

    CommandEntry{"mnuArchivio", "Arc&hivio", nullptr, nullptr, nullptr},
    CommandEntry{"mnuAggiungiCol", "&Colonne Vincenti", "mnuArchivio", "Ctrl+V", nullptr},
    Sep("mnuArchivio"),
    CommandEntry{"mnuStatistiche", "Statistic&he", "mnuArchivio", "Ctrl+H", nullptr},
    CommandEntry{"mnuVerificaArchivio", "&Verifica sull'Archivio", "mnuArchivio", nullptr, nullptr},

    CommandEntry{"mnuFinestra", "Fi&nestra", nullptr, nullptr, nullptr},
    CommandEntry{"mnuAbout", "&Info", "mnuFinestra", nullptr, nullptr},
};

constexpr CommandEntry Button(const char* name, const char* tip, const char* twin)
{
    return {name, tip, nullptr, nullptr, twin};
}

constexpr std::array ToolbarEntries = {
    Button("tmNuovo", "Nuovo Pronostico", "mnuNuovo"),
    Button("tmApri", "Apri Pronostico", "mnuApri"),
    Button("tmSalva", "Salva Pronostico", "mnuSalva"),
    Sep(nullptr),
    Button("tmStampaPro", "Stampa Prospetto", "mnuStampaPro"),
    Button("tmStCompl", "Stampa Prospetto e Colonne", "mnuRidotto"),
    Button("tmRidotto", "Stampa Colonne", nullptr),
    Button("tmSchedine", "Stampa su Schedine", "mnuSchedine"),
    Sep(nullptr),
    Button("tmConcData", "Concorso e Data", "mnuConcData"),
    Button("tmIncontri", "Incontri", "mnuIncontri"),
    Button("tmPronostico", "Pronostico", "mnuPronostico"),
    Sep(nullptr),
    Button("tmSegni", "Segni Min/Max/Cons", "mnuSegni"),
    Button("tmInt", "Interruzioni", "mnuInt"),
    Button("tmSim", "Simmetrie", "mnuSim"),
    Button("tmPar", "Paralleli", "mnuPar"),
    Button("tmParP3", "Paralleli Passo 3", "mnuParP3"),
    Button("tmSequele", "Escludi Sequele", "mnuSequele"),
    Button("tmCondAvanzate", "Condizioni Avanzate", "mnuCondAvanzate"),
    Button("tmElabora", "Elabora", "mnuElabora"),
    Sep(nullptr),
    Button("tmAccorpa", "Accorpa Colonne", "mnuAccorpa"),
    Button("tmDisaccorpa", "Disaccorpa", "mnuAccorpa"),
    Button("tmDetta", "Detta Colonne", "mnuDetta"),
    Button("tmConColRid", "Spoglio Schedine", "mnuConColRid"),
    Sep(nullptr),
    Button("tmProprieta", "Informazioni Sistema", "mnuProprieta"),
    Button("tmVediColRid", "Vedi Colonne Ridotto", "mnuVediColRid"),
    Button("tmVediColInt", "Vedi Colonne Integrale", "mnuVediColInt"),
    Sep(nullptr),
    Button("tmAggiungiCol", "Archivio Colonne Vincenti", "mnuAggiungiCol"),
    Button("tmStatistiche", "Statistiche", "mnuStatistiche"),
    Sep(nullptr),
    Button("tmAbout", "Info", "mnuAbout"),
};

} // namespace

std::span<const CommandEntry> menuEntries()
{
    return MenuEntries;
}

std::span<const CommandEntry> toolbarEntries()
{
    return ToolbarEntries;
}

} // namespace CommandTable
