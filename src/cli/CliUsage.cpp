#include "cli/CliUsage.h"

#include <QStringList>

#include <array>

namespace Cli {

namespace {

struct CommandHelp {
    const char* name;
    const char* summary;
    // One line per form, without "quadrigo13-cli"; the options' explanations follow.
    const char* forms;
    const char* details;
};

// Every command also takes --app-folder CARTELLA, said once in the overview.
constexpr std::array<CommandHelp, 19> Commands = {{
    {"generate", "genera il Sistema Integrale e lo salva", "generate PERCORSO.pro", ""},
    {"info", "mostra i dati del Sistema Integrale, uno per riga", "info PERCORSO.pro", ""},
    {"reduce", "elabora il Sistema Ridotto con le condizioni salvate e lo salva",
     "reduce PERCORSO.pro", ""},
    {"conditions", "mostra le Condizioni Avanzate o le imposta e salva",
     "conditions PERCORSO.pro [--errors A-B] [--strict K,...] [--values FILE | --odds FILE] "
     "[--sum A-B] [--top N] [--reference COLONNA:A-B]... [--clear]",
     "  --errors A-B             errori ammessi, da A a B\n"
     "  --strict K,...           condizioni sempre rispettate: 1-7, V (valori), R (riferimenti)\n"
     "  --values FILE            valori dei segni in percentuale, 13 righe di tre numeri\n"
     "  --odds FILE              quote decimali, 13 righe di tre numeri\n"
     "  --sum A-B                somma dei valori da A a B\n"
     "  --top N                  solo le N colonne più probabili\n"
     "  --reference COLONNA:A-B  colonna di riferimento con punti da A a B (fino a 10)\n"
     "  --clear                  toglie ogni Condizione Avanzata\n"
     "  senza opzioni, mostra le Condizioni Avanzate salvate"},
    {"guarantee", "meno colonne, con la garanzia del 12 (o dell'11) se la vincente è nel sistema",
     "guarantee PERCORSO.pro --level 12|11 [--from-integral] [--seconds N]",
     "  --level 12|11     i punti garantiti\n"
     "  --from-integral   parte dal Sistema Integrale invece che dal Ridotto\n"
     "  --seconds N       tempo massimo della ricerca, da 1 a 86400 secondi (10 se omesso)"},
    {"measures", "le quattordici misure di ogni colonna", "measures COLONNA...", ""},
    {"merge", "accorpa il Sistema Ridotto in colonne con doppie", "merge PERCORSO.pro", ""},
    {"check", "spoglio: conta le colonne per punti rispetto alla vincente",
     "check PERCORSO.pro COLONNA_VINCENTE [--integral]",
     "  --integral        il Sistema Integrale invece del Ridotto"},
    {"list", "elenca le colonne", "list PERCORSO.pro [--integral]",
     "  --integral        il Sistema Integrale invece del Ridotto"},
    {"print", "stampa su un file PDF",
     "print COSA PERCORSO.pro --pdf FILE.pdf\nprint archive --pdf FILE.pdf",
     "  COSA: prospect, prospect-reduced, prospect-integral, reduced, integral, merged,\n"
     "        merged-prospect, slips, slip-test, slip-test-full, results, properties\n"
     "  slips: [--from N --to M] [--merged] [--vertical A --horizontal S --dot D] (millimetri)\n"
     "  slip-test, slip-test-full: [--vertical A --horizontal S --dot D] (millimetri)"},
    {"dictate", "i suoni della dettatura, \"FILE.wav ATTESA\" per suono",
     "dictate PERCORSO.pro --plan [--from N --to M] [--speed 1..10]",
     "  --plan            elenca i suoni invece di suonarli\n"
     "  --from N --to M   dalla schedina N alla schedina M\n"
     "  --speed 1..10     velocità della dettatura (4 se omessa)"},
    {"results", "punti e vincite dei Risultati Finali", "results PERCORSO.pro [--rsl FILE.rsl]",
     "  --rsl FILE.rsl    il file dei risultati, se non è quello del Pronostico"},
    {"outcomes", "garanzie del sistema: per quante vincenti fa 13, 12, ... 0 punti",
     "outcomes PERCORSO.pro [--over integral|conditions|all]",
     "  --over integral     le vincenti del Sistema Integrale (se omesso)\n"
     "  --over conditions   le vincenti che rispettano le condizioni del sistema\n"
     "  --over all          tutte le 3^13 colonne\n"
     "  righe \"PUNTI CONTEGGIO PERCENTUALE\" da 13 a 0, poi \"Totale N\"; con i valori dei\n"
     "  segni, le probabilità del 13, del 12, dell'11 e del 10 o più"},
    {"live", "risultati in diretta: punti e colonne ancora in corsa", "live PERCORSO.pro RISULTATI",
     "  RISULTATI: 13 segni tra 1, X, 2 e - (partita da giocare)\n"
     "  righe \"Punti N\", poi \"P SICURE POSSIBILI\" per P da 13 a 10"},
    {"backtest", "verifica delle condizioni sulle colonne vincenti dell'archivio",
     "backtest PERCORSO.pro [--all | --season AAAA-AAAA | --last N]",
     "  righe \"REGOLA ELIMINATE PERCENTUALE\" per regola in vigore, poi \"Passano P di M\""},
    {"archive", "l'archivio delle colonne vincenti (ColVin13.mdb)",
     "archive add STAGIONE CONCORSO COLONNA [--series S] [--post Si|No]\n"
     "archive delete STAGIONE CONCORSO\n"
     "archive list [--season STAGIONE]\n"
     "archive import FILE.csv [--replace | --skip]\n"
     "archive export FILE.csv\n"
     "archive recompute",
     ""},
    {"stats", "statistiche dell'archivio: \"VALORE CONTEGGIO PERCENTUALE\" per valore",
     "stats MISURA [--all | --season AAAA-AAAA | --last N] [--incomplete] [--post] "
     "[--series SERIE,...]",
     "  MISURA: S1, SX, S2, SC1, SCX, SC2, IG, IC, SG, SC, PG, PC, FG, FC\n"
     "  SERIE: A__, ABC, BOC, VAR, IND"},
    {"export-text", "esporta le colonne in un file di testo",
     "export-text PERCORSO.pro FILE [--integral | --merged] [--csv]", ""},
    {"import-text", "un file di testo di colonne come Sistema Ridotto",
     "import-text PERCORSO.pro FILE", ""},
}};

const char* Options = "Opzioni:\n"
                      "  --app-folder CARTELLA   cartella del programma: impostazioni e archivi\n"
                      "  -h, --help              mostra questo aiuto; dopo un comando, il suo uso\n"
                      "  --version               mostra la versione\n"
                      "Stato d'uscita:\n"
                      "  0   comando riuscito\n"
                      "  1   errore nei dati o nei file, spiegato su stderr\n"
                      "  2   comando o argomenti sbagliati";

} // namespace

QString overview()
{
    QString text = QStringLiteral("Uso: quadrigo13-cli [--app-folder CARTELLA] COMANDO ...\n"
                                  "     quadrigo13-cli COMANDO --help\n"
                                  "Comandi:\n");
    for (const CommandHelp& command : Commands)
        text += QStringLiteral("  %1 %2\n")
                    .arg(QLatin1String(command.name), -12)
                    .arg(QString::fromUtf8(command.summary));
    return text + QLatin1String(Options);
}

QString usageOf(const QString& name)
{
    for (const CommandHelp& command : Commands) {
        if (name != QLatin1String(command.name))
            continue;
        QString text;
        for (const QString& form : QString::fromUtf8(command.forms).split(QLatin1Char('\n')))
            text += (text.isEmpty() ? QStringLiteral("Uso: ") : QStringLiteral("     ")) +
                    QStringLiteral("quadrigo13-cli ") + form +
                    QStringLiteral(" [--app-folder CARTELLA]\n");
        text += QString::fromUtf8(command.summary);
        if (*command.details)
            text += QLatin1Char('\n') + QString::fromUtf8(command.details);
        return text;
    }
    return {};
}

} // namespace Cli
