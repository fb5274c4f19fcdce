#include "platform/ui/BarProgress.h"

#include <QProgressBar>

#include <algorithm>

BarProgress::BarProgress(QProgressBar* bar, Ends repaintAt)
    : m_bar(bar)
    , m_repaintAt(repaintAt)
{
    m_sinceRepaint.start();
}

void BarProgress::setRange(int minimum, int maximum)
{
    // An empty range (an all-fixed prediction counts no columns) would turn the bar into Qt's
    // busy indicator, which keeps moving after the work is over.
    m_bar->setRange(minimum, std::max(maximum, minimum + 1));
    m_bar->repaint();
}

void BarProgress::setValue(int value)
{
    m_bar->setValue(value);
    const bool atEnd = value == m_bar->maximum() ||
                       (m_repaintAt == Ends::MinimumAndMaximum && value == m_bar->minimum());
    if (atEnd || m_sinceRepaint.elapsed() >= 30) {
        m_bar->repaint();
        m_sinceRepaint.restart();
    }
}
