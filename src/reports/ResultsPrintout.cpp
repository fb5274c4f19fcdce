#include "reports/ResultsPrintout.h"

#include "document/SystemDocument.h"
#include "platform/PrintSurface.h"

namespace ResultsPrintout {

namespace {

using namespace ResultsLogic;

// The table's rules, in millimetres from the left edge of the page.
constexpr double Left = 15;
constexpr double MatchRule = 25;
constexpr double SignsRule = 125;
constexpr double ScoreRule = 145;
constexpr double WinningRule = 170;
constexpr double Right = 190;
constexpr double Top = 40;
constexpr double RowHeight = 7;
constexpr double HeadingHeight = 2 * RowHeight;
constexpr double TextInset = 1.5;

void setFont(PrintSurface& surface, const char* name, double size, bool bold = false)
{
    surface.Font.Name = QLatin1String(name);
    surface.Font.Size = size;
    surface.Font.Bold = bold;
    surface.Font.Italic = false;
}

void printAt(PrintSurface& surface, double x, double y, const QString& text)
{
    surface.CurrentX = x;
    surface.CurrentY = y;
    surface.print(text);
}

// Centred between two rules, or on the page when they are the page's edges.
void printCentred(PrintSurface& surface, double from, double to, double y, const QString& text)
{
    printAt(surface, from + (to - from - surface.TextWidth(text)) / 2, y, text);
}

void printRightAligned(PrintSurface& surface, double right, double y, const QString& text)
{
    printAt(surface, right - surface.TextWidth(text), y, text);
}

void drawTable(PrintSurface& surface)
{
    const double bottom = Top + HeadingHeight + Matches * RowHeight;
    surface.line(Left, Top, Right, Top);
    surface.line(Left, Top + HeadingHeight, Right, Top + HeadingHeight);
    for (int row = 1; row <= Matches; ++row) {
        const double y = Top + HeadingHeight + row * RowHeight;
        surface.line(Left, y, Right, y);
    }
    for (const double x : {Left, SignsRule, ScoreRule, WinningRule, Right})
        surface.line(x, Top, x, bottom);
    surface.line(MatchRule, Top + HeadingHeight, MatchRule, bottom);
}

void printHeadings(PrintSurface& surface)
{
    setFont(surface, "Arial", 11, true);
    const double middle = Top + (HeadingHeight - surface.TextHeight()) / 2;
    printCentred(surface, Left, SignsRule, middle, QStringLiteral("CONCORSO"));
    printCentred(surface, SignsRule, ScoreRule, middle, QStringLiteral("Pro."));
    printCentred(surface, ScoreRule, WinningRule, middle, QStringLiteral("Risultati"));
    printCentred(surface, WinningRule, Right, Top + TextInset, QStringLiteral(" Col."));
    printCentred(surface, WinningRule, Right, Top + RowHeight + TextInset, QStringLiteral("Vinc."));
}

void printRows(PrintSurface& surface, const SystemDocument& document, const Fields& fields)
{
    setFont(surface, "Arial", 10);
    for (int match = 1; match <= Matches; ++match) {
        const double y = Top + HeadingHeight + (match - 1) * RowHeight + TextInset;
        const QString played = document.signsOf(match);
        printRightAligned(surface, MatchRule - TextInset, y, QString::number(match));
        printAt(surface, MatchRule + TextInset, y,
                document.homeTeam(match).trimmed() + QStringLiteral(" - ") +
                    document.awayTeam(match).trimmed());
        printCentred(surface, SignsRule, ScoreRule, y, played);
        const QString sign = fields[signField(match) - 1];
        const bool scored = !parseScore(fields[scoreField(match) - 1]).text.startsWith(u'*');
        printCentred(surface, ScoreRule, WinningRule, y,
                     scored ? fields[scoreField(match) - 1].trimmed() : QStringLiteral("-"));
        surface.ForeColor = isCovered(sign, played) ? QColor(Qt::black) : QColor(255, 0, 0);
        printCentred(surface, WinningRule, Right, y, sign);
        surface.ForeColor = Qt::black;
    }
}

void printPrizes(PrintSurface& surface, const SystemDocument& document, const Fields& fields,
                 const QLocale& locale)
{
    double y = Top + HeadingHeight + Matches * RowHeight + 8;
    setFont(surface, "Arial", 11, true);
    const int scored = points(fields, document);
    if (scored > 0) {
        printAt(surface, Left, y, QStringLiteral("Punti"));
        printAt(surface, Left + 25, y, QString::number(scored));
        y += 10;
    }
    setFont(surface, "Arial", 10);
    const auto prizeLine = [&](const QString& text, int field) {
        printAt(surface, Left, y, text);
        printRightAligned(surface, Right, y, amountText(fields[field - 1], locale));
        y += RowHeight;
    };
    prizeLine(QStringLiteral("Montepremi"), PrizePool);
    prizeLine(QStringLiteral("Quote per n. ") + fields[FirstWinners - 1] +
                  QStringLiteral(" vincite di I\u00aa categoria"),
              FirstPrize);
    prizeLine(QStringLiteral("Quote per n. ") + fields[SecondWinners - 1] +
                  QStringLiteral(" vincite di II\u00aa categoria"),
              SecondPrize);
}

} // namespace

void PrintResults(PrintSurface& surface, const SystemDocument& document, const Fields& fields,
                  const QLocale& locale)
{
    surface.setOrientation(1);
    surface.setPaperSize(9);
    surface.setScaleMode(PrintSurface::Millimetres);
    surface.ForeColor = Qt::black;

    setFont(surface, "Times New Roman", 18, true);
    const double width = surface.ScaleWidth();
    printCentred(surface, 0, width, 15,
                 QStringLiteral("Concorso n. ") + fields[Contest - 1] + QStringLiteral(" del ") +
                     document.DataConcorso);
    setFont(surface, "Thaoma", 12);
    printCentred(surface, 0, width, 26, QStringLiteral("Partite del ") + fields[MatchDate - 1]);

    drawTable(surface);
    printHeadings(surface);
    printRows(surface, document, fields);
    printPrizes(surface, document, fields, locale);
    surface.EndDoc();
}

} // namespace ResultsPrintout
