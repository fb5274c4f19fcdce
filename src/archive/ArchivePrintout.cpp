#include "archive/ArchivePrintout.h"

#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"

namespace ArchivePrintout {

namespace {

constexpr int LeftTab = 4;
constexpr int RuleLength = 113;
// "Pagina " and the number end at this column whatever the number of digits.
constexpr int PageLabelEnd = 116;
constexpr int ArchivePageRecords = 40;
constexpr int IntervalPageRecords = 36;

void lineAt(PrintSurface& surface, int column, const QString& text)
{
    surface.tab(column);
    surface.print(text);
    surface.endLine();
}

QString rule(QChar dash)
{
    return QString(RuleLength, dash);
}

QString titleOf(const QString& kind, const ArchiveStatistics::Choice* choice)
{
    using ArchiveStatistics::Interval;
    if (kind != QLatin1String("Parziale") || !choice)
        return QStringLiteral("Archivio Colonne Vincenti");
    switch (choice->interval) {
    case Interval::All:
        return QStringLiteral("Statistiche su tutte le Colonne Vincenti");
    case Interval::Season:
        return QStringLiteral("Statistiche sulle Colonne Vincenti ") +
               QStringLiteral("della Stagione ") + choice->season;
    case Interval::Last:
        break;
    }
    return QStringLiteral("Statistiche sulle ultime ") + choice->last +
           QStringLiteral(" Colonne Vincenti");
}

// The filter lines of a statistics interval, under the first rule.
void printFilters(PrintSurface& surface, const ArchiveStatistics::Choice& choice)
{
    if (choice.completeOnly && choice.postOnly)
        lineAt(surface, LeftTab,
               QStringLiteral("Solo Colonne Complete (Ok) e Posticipo/i di Serie A in Fondo (Po)"));
    else if (choice.postOnly)
        lineAt(surface, LeftTab,
               QStringLiteral("Solo Colonne con Posticipo/i di Serie A in Fondo (Po)"));
    else if (choice.completeOnly)
        lineAt(surface, LeftTab, QStringLiteral("Solo Colonne Complete (Ok)"));

    // The printed list keeps Indefinite before Varie, unlike the order of the codes.
    static const struct {
        int series;
        const char* word;
    } Words[] = {{0, "A,"}, {1, " ABC,"}, {2, " B e/o C,"}, {4, " Indefinita,"}, {3, " Varie"}};
    QString series = QStringLiteral("Serie elaborate: ");
    for (const auto& word : Words)
        if (choice.series[word.series])
            series += QLatin1String(word.word);
    if (series.endsWith(QLatin1Char(',')))
        series.chop(1);
    lineAt(surface, LeftTab, series);
    lineAt(surface, LeftTab, rule(QChar(0x2014)));
}

void startPrintout(PrintSurface& surface, int count, ProgressReporter& progress)
{
    progress.setRange(0, count);
    surface.setOrientation(2);
    surface.Font.Name = QStringLiteral("Courier New");
    surface.Font.Size = 11;
}

void printRecords(PrintSurface& surface, const QList<ArchiveRecord>& records, int perPage,
                  const QString& kind, const ArchiveStatistics::Choice* choice,
                  ProgressReporter& progress)
{
    const int count = int(records.size());
    PrintArchiveHeader(surface, kind, count, choice);
    int onPage = 0;
    for (int position = 0; position < count; ++position) {
        if (++onPage > perPage) {
            surface.NewPage();
            PrintArchiveHeader(surface, kind, count, choice);
            onPage = 1;
        }
        progress.setValue(position);
        PrintRecordLine(surface, records.at(position));
    }
}

// Also after a printer failure, so the next printout starts from the usual settings.
void endPrintout(PrintSurface& surface, ProgressReporter& progress)
{
    progress.setValue(0);
    surface.setOrientation(1);
    surface.Font.Size = 12;
}

} // namespace

void PrintArchiveHeader(PrintSurface& surface, const QString& kind, int count,
                        const ArchiveStatistics::Choice* choice)
{
    const bool partial = kind == QLatin1String("Parziale") && choice;
    surface.Font.Italic = true;
    surface.Font.Bold = true;
    surface.tab(LeftTab);
    surface.print(titleOf(kind, choice));
    surface.Font.Bold = false;
    const QString page = QString::number(surface.Page());
    surface.tab(PageLabelEnd - int(QStringLiteral("Pagina ").size()) + 1 - int(page.size()));
    surface.print(QStringLiteral("Pagina ") + page);
    surface.endLine();
    lineAt(
        surface, LeftTab,
        (partial ? QStringLiteral("Colonne Effettive : ") : QStringLiteral("Totale Colonne : ")) +
            QString::number(count));
    surface.Font.Italic = false;
    lineAt(surface, LeftTab, rule(QChar(0x2013)));
    if (partial)
        printFilters(surface, *choice);

    surface.Font.Bold = true;
    surface.tab(LeftTab);
    surface.print(QStringLiteral("Stagione") + QStringLiteral("  Conc"));
    surface.tab(24);
    surface.print(QStringLiteral("Colonna"));
    surface.tab(35);
    surface.print(QStringLiteral("Serie"));
    surface.tab(41);
    surface.print(QStringLiteral("Po"));
    surface.tab(45);
    surface.print(QStringLiteral("Ok"));
    surface.tab(50);
    surface.print(
        QStringLiteral("S1   SX   S2  SC1  SCX  SC2   IG   IC   SG   SC   PG   PC  P3G  P3C"));
    surface.endLine();
    surface.Font.Bold = false;
    lineAt(surface, LeftTab, rule(QChar(0x2014)));
}

void PrintRecordLine(PrintSurface& surface, const ArchiveRecord& record)
{
    surface.tab(4);
    surface.print(record[ArchiveRecord::Anno]);
    surface.print(QLatin1Char(' ') + record[ArchiveRecord::Conc]);
    surface.tab(21);
    surface.print(QString::fromLatin1(record.column()));
    surface.tab(36);
    surface.print(record[ArchiveRecord::Serie]);
    surface.tab(41);
    surface.print(record[ArchiveRecord::Post]);
    surface.tab(45);
    surface.print(record[ArchiveRecord::Comp]);
    // Values of up to two digits right-align under the labels.
    for (int k = 0; k < ArchiveRecord::MeasureCount; ++k) {
        surface.tab(49 + 5 * k);
        surface.print((QLatin1Char(' ') + record[ArchiveRecord::FirstMeasure + k]).right(3));
    }
    surface.endLine();
}

void PrintArchive(PrintSurface& surface, const QList<ArchiveRecord>& records,
                  ProgressReporter& progress)
{
    startPrintout(surface, int(records.size()), progress);
    try {
        printRecords(surface, records, ArchivePageRecords, QStringLiteral("Totale"), nullptr,
                     progress);
        surface.EndDoc();
    } catch (...) {
        endPrintout(surface, progress);
        throw;
    }
    endPrintout(surface, progress);
}

void PrintInterval(PrintSurface& surface, const QList<ArchiveRecord>& records,
                   const ArchiveStatistics::Choice& choice, ProgressReporter& progress)
{
    startPrintout(surface, int(records.size()), progress);
    try {
        printRecords(surface, records, IntervalPageRecords, QStringLiteral("Parziale"), &choice,
                     progress);
        surface.EndDoc();
    } catch (...) {
        endPrintout(surface, progress);
        throw;
    }
    endPrintout(surface, progress);
}

} // namespace ArchivePrintout
