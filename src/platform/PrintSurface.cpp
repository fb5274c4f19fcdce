#include "platform/PrintSurface.h"

#include "platform/PrintError.h"

#include <QFontMetricsF>
#include <QImage>

namespace {

// Text is measured at 1440 dots per inch, one dot a twip, on every back end alike.
const QImage& measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = qRound(1440 / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QString fontKey(const PrintFont& font)
{
    return font.Name + QLatin1Char('/') + QString::number(font.Size) +
           QLatin1Char(font.Bold ? 'B' : '-') + QLatin1Char(font.Italic ? 'I' : '-');
}

} // namespace

PrintSurface::PrintSurface(PrintBackEnd& backEnd)
    : m_backEnd(backEnd)
{
    m_backEnd.setPageFormat(m_orientation, m_paperSize);
}

PrintSurface::~PrintSurface() = default;

void PrintSurface::setScaleMode(int mode)
{
    const double x = toTwips(CurrentX), y = toTwips(CurrentY);
    m_scaleMode = mode == Millimetres ? Millimetres : Twips;
    CurrentX = fromTwips(x);
    CurrentY = fromTwips(y);
}

void PrintSurface::setOrientation(int orientation)
{
    m_orientation = orientation == 2 ? 2 : 1;
    m_backEnd.setPageFormat(m_orientation, m_paperSize);
}

void PrintSurface::setPaperSize(int paperSize)
{
    m_paperSize = paperSize;
    m_backEnd.setPageFormat(m_orientation, m_paperSize);
}

double PrintSurface::toTwips(double value) const
{
    return m_scaleMode == Millimetres ? value * TwipsPerMillimetre : value;
}

double PrintSurface::fromTwips(double twips) const
{
    return m_scaleMode == Millimetres ? twips / TwipsPerMillimetre : twips;
}

double PrintSurface::ScaleWidth() const
{
    return fromTwips(m_backEnd.pageSize().width());
}

double PrintSurface::ScaleHeight() const
{
    return fromTwips(m_backEnd.pageSize().height());
}

// A font's metrics and the advance of each character met so far. Texts are laid out character
// by character, without kerning or ligatures, as the back ends draw them.
struct PrintSurface::Measure {
    explicit Measure(const PrintFont& font)
        : metrics(PrintFonts::qfont(font), &measuringDevice())
    {}
    double width(const QString& text)
    {
        double width = 0;
        for (const QChar c : text) {
            if (c.isSurrogate())
                return metrics.horizontalAdvance(text);
            auto found = advances.constFind(c.unicode());
            if (found == advances.constEnd())
                found = advances.insert(c.unicode(), metrics.horizontalAdvance(c));
            width += *found;
        }
        return width;
    }

    QFontMetricsF metrics;
    QHash<char16_t, double> advances;
};

PrintSurface::Measure& PrintSurface::measure() const
{
    if (m_measured && m_measuredFont == Font)
        return *m_measured;
    std::shared_ptr<Measure>& cached = m_measures[fontKey(Font)];
    if (!cached)
        cached = std::make_shared<Measure>(Font);
    m_measuredFont = Font;
    m_measured = cached.get();
    return *cached;
}

double PrintSurface::TextWidth(const QString& text) const
{
    return fromTwips(measure().width(text));
}

double PrintSurface::TextHeight() const
{
    return fromTwips(measure().metrics.height());
}

double PrintSurface::columnWidth() const
{
    return fromTwips(measure().metrics.averageCharWidth());
}

void PrintSurface::check(bool ok)
{
    if (!ok)
        throw PrintError{PrintError::PrinterFailure, m_backEnd.errorString()};
}

void PrintSurface::print(const QString& text)
{
    if (CurrentY > 0 && CurrentY + TextHeight() > ScaleHeight()) {
        NewPage();
    }
    if (!text.isEmpty())
        check(m_backEnd.text(QPointF(toTwips(CurrentX), toTwips(CurrentY)), text, Font, ForeColor));
    CurrentX += TextWidth(text);
}

void PrintSurface::tab(int column)
{
    const double x = (std::max(column, 1) - 1) * columnWidth();
    if (CurrentX > x)
        endLine();
    CurrentX = x;
}

void PrintSurface::endLine()
{
    CurrentX = 0;
    CurrentY += TextHeight();
}

void PrintSurface::printLine(const QString& text)
{
    print(text);
    endLine();
}

void PrintSurface::line(double x1, double y1, double x2, double y2)
{
    check(m_backEnd.line(QPointF(toTwips(x1), toTwips(y1)), QPointF(toTwips(x2), toTwips(y2)),
                         DrawWidth, ForeColor));
    CurrentX = x2;
    CurrentY = y2;
}

void PrintSurface::circle(double x, double y, double radius, const QColor& colour)
{
    check(m_backEnd.circle(QPointF(toTwips(x), toTwips(y)), toTwips(radius),
                           CircleStyle{DrawWidth, DrawStyle, FillStyle, colour, FillColor}));
    CurrentX = x;
    CurrentY = y;
}

void PrintSurface::NewPage()
{
    check(m_backEnd.newPage());
    ++m_page;
    CurrentX = 0;
    CurrentY = 0;
}

void PrintSurface::EndDoc()
{
    check(m_backEnd.endDoc());
    m_page = 1;
    CurrentX = 0;
    CurrentY = 0;
}
