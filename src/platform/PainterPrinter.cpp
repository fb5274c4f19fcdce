#include "platform/PainterPrinter.h"

#include "platform/PrintSurface.h"

#include <QFontMetricsF>
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
    if (paperSize == 9)
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
        if (!m_painter.begin(&m_device))
            return fail(QStringLiteral("La stampante non ha accettato il documento"));
        m_pageBreakPending = false;
    } else if (m_pageBreakPending) {
        if (!m_device.newPage())
            return fail(QStringLiteral("La stampante non ha accettato una nuova pagina"));
        m_pageBreakPending = false;
    }
    m_painted = true;
    return true;
}

bool PainterPrinter::text(const QPointF& topLeft, const QString& text, const PrintFont& font,
                          const QColor& colour)
{
    if (!ensurePage())
        return false;
    const QFont qfont = PrintFonts::qfont(font);
    m_painter.setFont(qfont);
    m_painter.setPen(colour);
    const QFontMetricsF metrics(qfont, &m_device);
    const QPointF at = toDevice(topLeft);
    m_painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
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
        if (style.fillStyle == 0 && r > width) {
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
    if (!m_painter.end())
        return fail(QStringLiteral("Il lavoro di stampa non è stato inviato"));
    return true;
}

bool PainterPrinter::finish()
{
    if (!m_painter.isActive() && !m_painted && !ensurePage())
        return false;
    if (m_painter.isActive() && !m_painter.end())
        return fail(QStringLiteral("Il documento non è stato completato"));
    return true;
}
