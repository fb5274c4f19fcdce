#include "reports/SystemPrintout.h"

#include "document/SystemDocument.h"
#include "output/ColumnPages.h"
#include "platform/NumberFormat.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"

#include <algorithm>
#include <array>

namespace SystemPrintout {

namespace {

constexpr int LabelTab = 27;
constexpr int ValueTab = 56;
constexpr int FieldTab = 16; // the field list of an excluded sequence, after its signs
const QString Margin = QStringLiteral("     ");
// Nothing is printed closer than this to the printable area's right edge: on an A4 page without
// margins the lines end 200 mm from the left edge, clear of most printers' unprintable border.
constexpr double RightClearance = 10 * PrintSurface::TwipsPerMillimetre;

double rightLimit(const PrintSurface& surface)
{
    return surface.ScaleWidth() - RightClearance;
}

// Prints `text` from the current position; a piece (up to a comma or a blank) that would end
// past the right limit goes to the next line, starting at `indent`.
void flow(PrintSurface& surface, const QString& text, double indent)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != u',' && text.at(end) != u' ')
            ++end;
        end = std::min(end + 1, text.size());
        const QString piece = text.mid(start, end - start);
        const double width = surface.TextWidth(piece.trimmed());
        if (surface.CurrentX > indent && surface.CurrentX + width > rightLimit(surface)) {
            surface.endLine();
            surface.CurrentX = indent;
        }
        surface.print(piece);
        start = end;
    }
}

QString euro(double amount, const QLocale& locale)
{
    return NumberFormat::formatPattern(amount, u"##,###,##0.00", locale);
}

QString costLine(double amount, const QLocale& locale)
{
    return QStringLiteral("\u2022 Costo : ") + euro(amount, locale) +
           QStringLiteral(" \u20ac   (") +
           NumberFormat::formatPattern(amount * 1936.27, u"##,###,###,##0.00", locale) +
           QStringLiteral(" lire)");
}

void setWeight(PrintSurface& surface, bool bold, bool italic = false)
{
    surface.Font.Bold = bold;
    surface.Font.Italic = italic;
}

// A section label at its tab in bold, the position left at the values' tab in regular weight.
void label(PrintSurface& surface, const QString& text)
{
    surface.tab(LabelTab);
    setWeight(surface, true);
    surface.print(text);
    setWeight(surface, false);
    surface.tab(ValueTab);
}

void valueLine(PrintSurface& surface, const QString& text)
{
    surface.tab(ValueTab);
    flow(surface, text, surface.CurrentX);
    surface.endLine();
}

class ConditionLines {
public:
    ConditionLines(PrintSurface& surface, const SystemDocument& document)
        : m_surface(surface)
        , m_document(document)
    {}

    bool enabled(ConditionKind kind) const
    {
        return EnableFlagsText::isEnabled(m_document.EnableFlags, kind);
    }
    QString range(int index) const
    {
        const ConditionSet& set = m_document.Conditions;
        return ConditionValueList(int(set.number(index)), int(set.number(index + 1)));
    }
    // Bold label and its values, optionally an italic second label with its own values.
    void line(const QString& first, int firstIndex, const QString& second = {}, int secondIndex = 0)
    {
        m_surface.tab(ValueTab);
        m_indent = m_surface.CurrentX;
        part(first, false, firstIndex);
        if (!second.isEmpty())
            part(second, true, secondIndex);
        m_surface.endLine();
    }
    void sequences()
    {
        m_surface.tab(ValueTab);
        setWeight(m_surface, true);
        m_surface.printLine(QStringLiteral("Sequele escluse:"));
        setWeight(m_surface, false);
        const ConditionSet& set = m_document.Conditions;
        for (int j = 0; j < ConditionSet::SequenceSlots; ++j) {
            const int base = ConditionSet::sequenceIndex(j);
            if (set.text(base + 2) != QLatin1String("S"))
                continue;
            m_surface.tab(ValueTab);
            m_surface.print(set.text(base));
            m_surface.tab(ValueTab + FieldTab);
            m_surface.printLine(QStringLiteral("in campo  ") + set.text(base + 1));
        }
    }

    void advanced()
    {
        m_surface.tab(ValueTab);
        setWeight(m_surface, true);
        m_surface.printLine(QStringLiteral("Condizioni Avanzate:"));
        setWeight(m_surface, false);
        for (const QString& text : m_document.Advanced.summaryLines()) {
            m_surface.tab(ValueTab);
            m_surface.printLine(text);
        }
    }

private:
    // A label with its values; a list too long for the line goes on under its first value, and
    // a label that would not fit with its first value starts a line of its own.
    void part(const QString& text, bool italic, int index)
    {
        const QString values = range(index);
        setWeight(m_surface, false);
        const double firstValue = m_surface.TextWidth(values.section(u',', 0, 0).trimmed());
        setWeight(m_surface, !italic, italic);
        const QString label = italic ? text.trimmed() : text;
        if (m_surface.CurrentX > m_indent &&
            m_surface.CurrentX + m_surface.TextWidth(text + values.left(1)) + firstValue >
                rightLimit(m_surface)) {
            m_surface.endLine();
            m_surface.CurrentX = m_indent;
            m_surface.print(label);
        } else {
            m_surface.print(text);
        }
        setWeight(m_surface, false);
        flow(m_surface, values, m_surface.CurrentX);
    }

    PrintSurface& m_surface;
    const SystemDocument& m_document;
    double m_indent = 0;
};

void printConditions(PrintSurface& surface, const SystemDocument& document)
{
    ConditionLines lines(surface, document);
    const bool counts = lines.enabled(ConditionKind::SignCounts);
    const bool runs = lines.enabled(ConditionKind::SignRuns);
    static const std::array<QString, 3> Signs = {QStringLiteral("1"), QStringLiteral("X"),
                                                 QStringLiteral("2")};
    for (int s = 0; s < 3; ++s) {
        const QString name = QStringLiteral("Segni ") + Signs[s];
        if (counts && runs)
            lines.line(name + QStringLiteral(" :"), 1 + 2 * s, QStringLiteral("  consecutivi :"),
                       7 + 2 * s);
        else if (counts)
            lines.line(name + QStringLiteral(" :"), 1 + 2 * s);
        else if (runs)
            lines.line(name + QStringLiteral(" consecutivi :"), 7 + 2 * s);
    }
    struct Pair {
        ConditionKind kind;
        const char* first;
        int firstIndex;
        const char* second;
        int secondIndex;
    };
    static constexpr std::array<Pair, 4> Pairs = {{
        {ConditionKind::Interruptions, "Interruzioni :", 13, "  consecutive :", 15},
        {ConditionKind::Symmetries, "Simmetrie :", 17, "  consecutive :", 19},
        {ConditionKind::Parallels, "Paralleli :", 21, "  consecutivi :", 23},
        {ConditionKind::ParallelsStep3, "Paralleli P3 :", 46, "  consecutivi :", 48},
    }};
    for (const Pair& pair : Pairs) {
        if (lines.enabled(pair.kind))
            lines.line(QLatin1String(pair.first), pair.firstIndex, QLatin1String(pair.second),
                       pair.secondIndex);
    }
    if (lines.enabled(ConditionKind::Sequences))
        lines.sequences();
    if (document.Advanced.isSet())
        lines.advanced();
}

void printMatches(PrintSurface& surface, const SystemDocument& document)
{
    surface.Font = {QStringLiteral("Courier New"), 11, false, false};
    surface.printLine();
    surface.printLine();
    const QString emRule = Margin + QString(72, QChar(0x2014));
    surface.printLine(emRule);
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        const QString& record = document.MatchRecords[i];
        surface.printLine(Margin + QString::number(i).rightJustified(2) + QStringLiteral(". ") +
                          record.left(15) + QStringLiteral(" - ") + record.mid(15, 15) +
                          QStringLiteral("  ") + record.mid(30, 3) +
                          QStringLiteral(" _____   _____   _____   _____"));
        if (i == 3 || i == 6 || i == 9)
            surface.printLine(Margin + QString(72, QChar(0x2013)));
    }
    surface.printLine(emRule);
    for (const char* line :
         {"                        Montepremi (\u20ac) _____________________",
          "                  Vincite I\u00aa Cat.  _______     \u20acuro _____________",
          "                  Vincite II\u00aa Cat. _______     \u20acuro _____________"}) {
        surface.printLine(QString::fromUtf8(line));
        surface.printLine();
    }
}

} // namespace

bool isPrintCode(const QString& code)
{
    for (const char* known : {"StPr", "SPCR", "SPCI", "VCCR", "VCCI"}) {
        if (code == QLatin1String(known))
            return true;
    }
    return false;
}

QString ConditionValueList(int minimum, int maximum)
{
    QStringList values;
    for (int value = minimum; value <= maximum; ++value)
        values << QString::number(value);
    return QLatin1Char(' ') + values.join(QLatin1Char(',')) + QLatin1Char(' ');
}

void PrintProspect(PrintSurface& surface, const Context& context, const QString& code)
{
    const SystemDocument& document = context.document;
    const QLocale& locale = context.locale;
    if (code == QLatin1String("StPr"))
        ColumnPages::printHeader(surface, document, ColumnPages::NoHeader);

    surface.Font = {QStringLiteral("Arial"), 10, false, false};
    surface.printLine();
    surface.printLine();
    surface.Font.Size = 14;
    setWeight(surface, true);
    const QString contest = QStringLiteral("CONCORSO ") + document.NumConcorso +
                            QStringLiteral(" DEL ") + document.DataConcorso;
    surface.CurrentX = (surface.ScaleWidth() - surface.TextWidth(contest)) / 2;
    surface.printLine(contest);

    surface.Font.Size = 10;
    setWeight(surface, false);
    surface.printLine();
    surface.printLine();
    label(surface, QStringLiteral("NOME FILE:        "));
    surface.printLine(document.SystemName + QStringLiteral(".pro"));

    surface.printLine();
    label(surface, QStringLiteral("SISTEMA INTEGRALE:"));
    surface.printLine(QString::number(document.NumDoppie) + QStringLiteral(" doppie ") +
                      QString::number(document.NumTriple) + QStringLiteral(" triple ") +
                      QString::number(document.IntegralCount) + QStringLiteral(" colonne"));
    valueLine(surface, costLine(document.IntegralCount * context.columnCost, locale));

    const bool withReduced = code == QLatin1String("SPCR") || code == QLatin1String("StPr");
    if (withReduced && document.ReducedCount > 0) {
        const double cost = document.ReducedCount * context.columnCost;
        const qint64 percentage = document.IntegralCount > 0
                                      ? qint64(document.ReducedCount) * 100 / document.IntegralCount
                                      : 0;
        surface.printLine();
        label(surface, QStringLiteral("SISTEMA RIDOTTO:"));
        surface.printLine(QString::number(document.ReducedCount) +
                          QStringLiteral(" colonne  (Riduzione") +
                          NumberFormat::Str(double(percentage)) + QStringLiteral(" %)"));
        valueLine(surface, costLine(cost, locale));
        const int shares = std::max<int>(document.Quote, 1);
        valueLine(surface, QStringLiteral("\u2022 Quote : ") + QString::number(shares) +
                               QStringLiteral(" x ") + euro(cost / shares, locale) +
                               QStringLiteral(" \u20ac"));
        valueLine(surface, QStringLiteral("\u2022 Numero Schedine : ") +
                               NumberFormat::plain(document.SlipCount));
    }

    surface.printLine();
    label(surface, QStringLiteral("CONDIZIONI:"));
    surface.endLine();
    printConditions(surface, document);

    printMatches(surface, document);
    if (code != QLatin1String("StPr"))
        surface.NewPage();
}

void PrintSystem(PrintSurface& surface, const Context& context, const QString& code,
                 ProgressReporter& progress)
{
    progress.setRange(0, 0);
    const bool columnsOnly = code == QLatin1String("VCCR") || code == QLatin1String("VCCI");
    if (!columnsOnly)
        PrintProspect(surface, context, code);
    if (code != QLatin1String("StPr"))
        ColumnPages::printSystemColumns(
            surface, context.document,
            code == QLatin1String("SPCI") || code == QLatin1String("VCCI"), progress);
    surface.EndDoc();
}

void PrintMergedColumns(PrintSurface& surface, const Context& context, const MergedColumns& rows,
                        bool withProspect, ProgressReporter& progress)
{
    progress.setRange(0, 0);
    if (withProspect)
        PrintProspect(surface, context, QStringLiteral("SPCR"));
    ColumnPages::printMergedColumns(surface, context.document, rows, progress);
    surface.EndDoc();
}

} // namespace SystemPrintout
