#include "platform/PageTracker.h"

PageTracker::PageTracker(PrintBackEnd* target, int keep)
    : m_target(target)
    , m_keep(keep)
{}

QString PageTracker::deviceName() const
{
    return m_target ? m_target->deviceName() : QStringLiteral("PDF");
}

QSizeF PageTracker::pageSize() const
{
    // Without a target the pages are A4 with no margins, as in a PDF file.
    return m_target ? m_target->pageSize() : QSizeF(11906, 16838);
}

void PageTracker::setPageFormat(int orientation, int paperSize)
{
    if (m_target)
        m_target->setPageFormat(orientation, paperSize);
}

void PageTracker::startPage()
{
    ++m_page;
    m_active = true;
    m_breakPending = false;
    if (m_keep > 0 && m_page > m_keep)
        throw PageDone{};
    if (pageStarting)
        pageStarting(m_page);
}

bool PageTracker::drawing()
{
    if (!m_active || m_breakPending)
        startPage();
    return m_target && (m_keep == 0 || m_page == m_keep);
}

bool PageTracker::text(const QPointF& topLeft, const QString& text, const PrintFont& font,
                       const QColor& colour)
{
    return !drawing() || m_target->text(topLeft, text, font, colour);
}

bool PageTracker::line(const QPointF& from, const QPointF& to, int drawWidth, const QColor& colour)
{
    return !drawing() || m_target->line(from, to, drawWidth, colour);
}

bool PageTracker::circle(const QPointF& centre, double radius, const CircleStyle& style)
{
    return !drawing() || m_target->circle(centre, radius, style);
}

bool PageTracker::newPage()
{
    const bool blank = !m_active || m_breakPending;
    if (blank)
        startPage();
    m_breakPending = true;
    // Only the target's own pages follow the breaks: a blank kept page stays blank there.
    if (m_target && m_keep == 0)
        return m_target->newPage();
    return true;
}

bool PageTracker::endDoc()
{
    if (m_active)
        m_breakPending = true;
    if (m_target && m_keep == 0)
        return m_target->endDoc();
    return true;
}

QString PageTracker::errorString() const
{
    return m_target ? m_target->errorString() : QString();
}
