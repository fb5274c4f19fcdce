#include "output/ColumnPages.h"

#include "document/SystemDocument.h"
#include "platform/NumberFormat.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"

namespace ColumnPages {

namespace {

constexpr int BlockColumns = 40;
constexpr int BlocksPerPage = 3;
constexpr int GroupColumns = 4;
constexpr int StripWidth = 12; // characters: the strip's rule of em dashes
constexpr int StripStep = 16;
constexpr int StripsPerBand = 4;
const QString Margin = QStringLiteral("     ");
const QChar EmDash(0x2014);

PrintFont columnsFont()
{
    return {QStringLiteral("Courier New"), 10, false, false};
}

QString rule(int dashes)
{
    return Margin + QString(dashes, EmDash);
}

bool hasContest(const SystemDocument& document)
{
    const QString number = document.NumConcorso.trimmed();
    return !number.isEmpty() && number != QLatin1String("0");
}

// One block of up to 40 columns starting at `first` (0-based), its groups numbered on from
// the block's place in the printout.
void printBlock(PrintSurface& surface, const ColumnBuffer& columns, qsizetype first,
                qsizetype count, qsizetype total)
{
    const qsizetype groups = (count + GroupColumns - 1) / GroupColumns;
    const qsizetype firstGroup = first / GroupColumns + 1;
    surface.Font = columnsFont();
    surface.Font.Bold = true;
    surface.Font.Italic = true;
    QString heading = Margin;
    for (qsizetype g = 0; g < groups; ++g)
        heading += QString::number(firstGroup + g).leftJustified(7);
    surface.printLine(heading);
    surface.Font = columnsFont();
    QString dashes = Margin;
    for (qsizetype g = 0; g < groups; ++g)
        dashes += QStringLiteral("   ") + QString(4, EmDash);
    surface.printLine(dashes);
    for (int r = 0; r < ColumnBuffer::Width; ++r) {
        QString line = Margin;
        for (qsizetype i = 0; i < count; ++i) {
            line += QLatin1Char(columns.columnData(first + i)[r]);
            const bool groupEnds = (i + 1) % GroupColumns == 0 || i + 1 == count;
            if (groupEnds && first + i + 1 < total)
                line += QStringLiteral("   ");
        }
        surface.printLine(line);
    }
}

// Centres `text` in a strip of StripWidth characters starting at `x`.
void printCentred(PrintSurface& surface, double x, double y, const QString& text)
{
    surface.CurrentX = x + (StripWidth - text.size()) * surface.columnWidth() / 2;
    surface.CurrentY = y;
    surface.print(text);
}

} // namespace

QString title(const QString& word, qsizetype count)
{
    return word + NumberFormat::Str(double(count)) + QStringLiteral(" colonne");
}

void printHeader(PrintSurface& surface, const SystemDocument& document, const QString& title)
{
    if (title == NoHeader) {
        for (int i = 0; i < 6; ++i)
            surface.printLine();
        return;
    }
    surface.Font = {QStringLiteral("Arial"), 10, false, false};
    surface.printLine();
    surface.printLine();
    surface.tab(11);
    surface.print(QStringLiteral("Nome File: "));
    surface.Font.Bold = true;
    surface.print(document.SystemName + QStringLiteral(".pro"));
    surface.Font.Bold = false;
    if (hasContest(document))
        surface.print(QStringLiteral("      Concorso ") + document.NumConcorso +
                      QStringLiteral(" del ") + document.DataConcorso);
    surface.print(Margin + title);
    // The page number ends where the rule below it ends.
    surface.Font = columnsFont();
    const double right = surface.TextWidth(rule(67));
    surface.Font = {QStringLiteral("Arial"), 10, false, false};
    const QString page = QStringLiteral("Pagina ") + QString::number(surface.Page());
    // After a header too long to leave room for it, it goes right-aligned on the next line.
    const double at = right - surface.TextWidth(page);
    if (surface.CurrentX + surface.TextWidth(Margin) > at)
        surface.endLine();
    surface.CurrentX = at;
    surface.printLine(page);
    surface.Font = columnsFont();
    surface.printLine(rule(67));
    surface.printLine();
    surface.printLine();
}

void printColumns(PrintSurface& surface, const SystemDocument& document,
                  const ColumnBuffer& columns, qsizetype count, const QString& titleWord,
                  ProgressReporter& progress)
{
    const QString pageTitle = title(titleWord, count);
    printHeader(surface, document, pageTitle);
    progress.setRange(0, int(count));
    for (qsizetype first = 0; first < count; first += BlockColumns) {
        const qsizetype block = first / BlockColumns;
        if (block > 0 && block % BlocksPerPage == 0) {
            surface.NewPage();
            printHeader(surface, document, pageTitle);
        } else if (block > 0) {
            for (int i = 0; i < 3; ++i)
                surface.printLine();
        }
        progress.setValue(int(first + 1));
        printBlock(surface, columns, first, std::min<qsizetype>(BlockColumns, count - first),
                   count);
    }
}

void printSystemColumns(PrintSurface& surface, const SystemDocument& document, bool integral,
                        ProgressReporter& progress)
{
    const ColumnBuffer& columns = integral ? document.IntegralColumns : document.WorkColumns;
    const qsizetype count = std::min<qsizetype>(
        integral ? document.IntegralCount : document.ReducedCount, columns.count());
    printColumns(surface, document, columns, count,
                 integral ? QStringLiteral("Integrale") : QStringLiteral("Ridotto"), progress);
}

void printMergedColumns(PrintSurface& surface, const SystemDocument& document,
                        const MergedColumns& rows, ProgressReporter& progress)
{
    const qsizetype count = rows.count();
    const QString pageTitle = title(QStringLiteral("Ridotto"), count);
    printHeader(surface, document, pageTitle);
    progress.setRange(0, int(count));
    const double width = surface.columnWidth();
    const double lineHeight = surface.TextHeight();
    const double bandHeight = (2 + MergedColumns::Width) * lineHeight;
    double top = surface.CurrentY;
    for (qsizetype first = 0; first < count; first += StripsPerBand) {
        if (top + bandHeight > surface.ScaleHeight()) {
            surface.NewPage();
            printHeader(surface, document, pageTitle);
            top = surface.CurrentY;
        }
        progress.setValue(int(first + 1));
        surface.Font = columnsFont();
        for (qsizetype i = first; i < std::min<qsizetype>(first + StripsPerBand, count); ++i) {
            const double x = (Margin.size() + (i - first) * StripStep) * width;
            printCentred(surface, x, top, QString::number(i + 1));
            printCentred(surface, x, top + lineHeight, QString(StripWidth, EmDash));
            for (int m = 0; m < MergedColumns::Width; ++m)
                printCentred(surface, x, top + (2 + m) * lineHeight, rows.play(i, m));
        }
        top += bandHeight + 2 * lineHeight;
        surface.CurrentX = 0;
        surface.CurrentY = top;
    }
}

} // namespace ColumnPages
