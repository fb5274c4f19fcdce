#include "platform/RecordingPrinter.h"

#include "platform/PrintSurface.h"

#include <map>

QPointF RecordingPrinter::Item::atMillimetres() const
{
    return at / PrintSurface::TwipsPerMillimetre;
}

RecordingPrinter::RecordingPrinter(QString deviceName, QSizeF pageSize)
    : m_deviceName(std::move(deviceName))
    , m_pageSize(pageSize)
{}

QSizeF RecordingPrinter::pageSize() const
{
    return m_orientation == 2 ? m_pageSize.transposed() : m_pageSize;
}

void RecordingPrinter::setPageFormat(int orientation, int paperSize)
{
    (void)paperSize;
    m_orientation = orientation;
}

bool RecordingPrinter::record(Item item)
{
    if (m_failAfter >= 0 && ++m_calls > m_failAfter)
        return false;
    item.document = m_documentsEnded + 1;
    item.page = m_page;
    m_items.append(std::move(item));
    return true;
}

bool RecordingPrinter::text(const QPointF& topLeft, const QString& text, const PrintFont& font,
                            const QColor& colour)
{
    Item item;
    item.at = topLeft;
    item.text = text;
    item.font = font;
    item.colour = colour;
    return record(std::move(item));
}

bool RecordingPrinter::line(const QPointF& from, const QPointF& to, int drawWidth,
                            const QColor& colour)
{
    Item item;
    item.kind = Kind::Line;
    item.at = from;
    item.to = to;
    item.colour = colour;
    item.circle.drawWidth = drawWidth;
    return record(std::move(item));
}

bool RecordingPrinter::circle(const QPointF& centre, double radius, const CircleStyle& style)
{
    Item item;
    item.kind = Kind::Circle;
    item.at = centre;
    item.radius = radius;
    item.colour = style.outline;
    item.circle = style;
    return record(std::move(item));
}

bool RecordingPrinter::newPage()
{
    if (m_failAfter >= 0 && ++m_calls > m_failAfter)
        return false;
    ++m_page;
    return true;
}

bool RecordingPrinter::endDoc()
{
    if (m_failAfter >= 0 && ++m_calls > m_failAfter)
        return false;
    ++m_documentsEnded;
    m_page = 1;
    return true;
}

QList<RecordingPrinter::Item> RecordingPrinter::items(Kind kind) const
{
    QList<Item> result;
    for (const Item& item : m_items) {
        if (item.kind == kind)
            result.append(item);
    }
    return result;
}

QStringList RecordingPrinter::lines(int document, int page) const
{
    // Heights rounded to a hundredth of a twip, so that texts printed on one line meet.
    std::map<qint64, QString> byHeight;
    for (const Item& item : m_items) {
        if (item.kind == Kind::Text && item.document == document && item.page == page)
            byHeight[qRound64(item.at.y() * 100)] += item.text;
    }
    QStringList result;
    for (const auto& [height, text] : byHeight)
        result.append(text);
    return result;
}
