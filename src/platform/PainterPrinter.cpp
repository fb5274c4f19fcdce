#include "platform/PainterPrinter.h"

#include "platform/PrintSurface.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPagedPaintDevice>

PainterPrinter::PainterPrinter(QPagedPaintDevice& device, QString deviceName,
                               DocumentEnd documentEnd)
    : m_device(device)
    , m_deviceName(std::move(deviceName))
    , m_documentEnd(documentEnd)
{}

PainterPrinter::~PainterPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

double PainterPrinter::scale() const
{
    return m_device.logicalDpiX() / 1440.0;
}

QPointF PainterPrinter::toDevice(const QPointF& twips) const
{
    return QPointF(twips.x() * m_device.logicalDpiX() / 1440.0,
                   twips.y() * m_device.logicalDpiY() / 1440.0);
}

QSizeF PainterPrinter::pageSize() const
{
    const QRectF area = m_device.pageLayout().paintRect(QPageLayout::Inch);
    return area.size() * 1440;
}

void PainterPrinter::setPageFormat(int orientation, int paperSize)
{
    m_device.setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    // 9 is A4; the other sizes of the old numbering are not used by any printout.
    if (paperSize == 9 && !keepPaper)
        m_device.setPageSize(QPageSize(QPageSize::A4));
}

bool PainterPrinter::fail(const QString& reason)
{
    m_error = reason;
    return false;
}

bool PainterPrinter::ensurePage()
{
    if (!m_painter.isActive()) {
        if (documentStarting) {
            if (const QString refusal = documentStarting(++m_documents); !refusal.isEmpty())
                return fail(refusal);
        }
        if (!m_painter.begin(&m_device))
            return fail(QStringLiteral("La stampante non ha accettato il documento"));
        m_font.reset();
        m_pageBreakPending = false;
    } else if (m_pageBreakPending) {
        if (!m_device.newPage())
            return fail(QStringLiteral("La stampante non ha accettato una nuova pagina"));
        m_pageBreakPending = false;
    }
    m_painted = true;
    return true;
}

void PainterPrinter::setFont(const PrintFont& font)
{
    const QFont qfont = PrintFonts::qfont(font);
    m_painter.setFont(qfont);
    m_ascent = QFontMetricsF(qfont, &m_device).ascent();
    m_rawFont = QRawFont::fromFont(qfont);
    m_rawFont.setPixelSize(font.Size * m_device.logicalDpiY() / 72.0);
    m_glyphs.clear();
    m_font = font;
}

bool PainterPrinter::drawGlyphs(const QPointF& baseLine, const QString& text)
{
    if (!m_rawFont.isValid())
        return false;
    m_runIndexes.clear();
    m_runPositions.clear();
    double x = 0;
    for (const QChar c : text) {
        auto found = m_glyphs.constFind(c.unicode());
        if (found == m_glyphs.constEnd()) {
            if (c.isSurrogate())
                return false;
            const QList<quint32> index = m_rawFont.glyphIndexesForString(QString(c));
            if (index.size() != 1 || (index.front() == 0 && c != u' '))
                return false;
            const QList<QPointF> advance =
                m_rawFont.advancesForGlyphIndexes(index, QRawFont::UseDesignMetrics);
            found = m_glyphs.insert(c.unicode(), Glyph{index.front(), advance.front().x()});
        }
        if (c != u' ') {
            m_runIndexes.append(found->index);
            m_runPositions.append(QPointF(x, 0));
        }
        x += found->advance;
    }
    if (m_runIndexes.isEmpty())
        return true;
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(m_runIndexes);
    run.setPositions(m_runPositions);
    m_painter.drawGlyphRun(baseLine, run);
    return true;
}

bool PainterPrinter::text(const QPointF& topLeft, const QString& text, const PrintFont& font,
                          const QColor& colour)
{
    if (!ensurePage())
        return false;
    if (!m_font || *m_font != font)
        setFont(font);
    if (m_painter.pen().color() != colour || m_painter.pen().style() != Qt::SolidLine)
        m_painter.setPen(colour);
    const QPointF at = toDevice(topLeft);
    const QPointF baseLine(at.x(), at.y() + m_ascent);
    if (!drawGlyphs(baseLine, text))
        m_painter.drawText(baseLine, text);
    return true;
}

bool PainterPrinter::line(const QPointF& from, const QPointF& to, int drawWidth,
                          const QColor& colour)
{
    if (!ensurePage())
        return false;
    m_painter.setPen(QPen(colour, std::max(drawWidth, 1)));
    m_painter.drawLine(toDevice(from), toDevice(to));
    return true;
}

bool PainterPrinter::circle(const QPointF& centre, double radius, const CircleStyle& style)
{
    if (!ensurePage())
        return false;
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    const QPointF at = toDevice(centre);
    const double r = radius * scale();
    const double width = std::max(style.drawWidth, 1);
    if (style.drawStyle == 6) {
        // Inside solid: the outline is the outer ring of the circle, never beyond the radius.
        m_painter.setBrush(style.outline);
        m_painter.drawEllipse(at, r, r);
        if (style.fillStyle == 0 && r > width && style.fill != style.outline) {
            m_painter.setBrush(style.fill);
            m_painter.drawEllipse(at, r - width, r - width);
        }
    } else {
        if (style.fillStyle == 0) {
            m_painter.setBrush(style.fill);
            m_painter.drawEllipse(at, r, r);
        }
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(QPen(style.outline, width));
        m_painter.drawEllipse(at, r, r);
    }
    m_painter.setBrush(Qt::NoBrush);
    return true;
}

bool PainterPrinter::newPage()
{
    // A page break with nothing on the page still leaves that page blank.
    if (!m_painter.isActive() || m_pageBreakPending) {
        if (!ensurePage())
            return false;
    }
    m_pageBreakPending = true;
    return true;
}

bool PainterPrinter::endDoc()
{
    if (!m_painter.isActive())
        return true;
    if (m_documentEnd == DocumentEnd::NextPage) {
        m_pageBreakPending = true;
        return true;
    }
    return endDocument(QStringLiteral("Il lavoro di stampa non è stato inviato"));
}

bool PainterPrinter::endDocument(const QString& failure)
{
    if (!m_painter.end())
        return fail(failure);
    if (documentRefusal) {
        if (const QString refusal = documentRefusal(); !refusal.isEmpty())
            return fail(refusal);
    }
    return true;
}

bool PainterPrinter::finish()
{
    if (!m_painter.isActive() && !m_painted && !ensurePage())
        return false;
    if (m_painter.isActive())
        return endDocument(QStringLiteral("Il documento non è stato completato"));
    return true;
}
