#include "platform/ui/WindowSizing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace WindowSizing {

int captionWidth(const QString& caption)
{
    // Window managers and the sub-window frames draw titles in a bold face of the interface
    // font; the icon and three buttons (minimise, maximise, close) take a square of the title
    // bar's height each.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int text = QFontMetrics(font).horizontalAdvance(caption);
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int frame = QApplication::style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return text + 4 * bar + 2 * frame + 16;
}

void fitCaption(QWidget* window)
{
    const int needed = captionWidth(window->windowTitle());
    if (window->minimumWidth() < needed)
        window->setMinimumWidth(needed);
    if (window->width() < needed)
        window->resize(needed, window->height());
}

void fitContent(QWidget* window)
{
    QSize wanted = window->sizeHint().expandedTo(window->minimumSizeHint());
    const QScreen* screen = window->screen();
    const QRect free = screen ? screen->availableGeometry() : QRect();
    // The frame's title bar and borders take their share of the screen too.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    if (screen)
        wanted = wanted.boundedTo(free.size() - frame);
    // A window never sized yet holds Qt's arbitrary first size, which says nothing.
    window->resize(window->testAttribute(Qt::WA_Resized) ? window->size().expandedTo(wanted)
                                                         : wanted);
    if (!screen || !window->isVisible())
        return;
    // A shown window that grew past the screen's edge moves back onto it.
    QRect place = window->frameGeometry();
    place.moveRight(std::min(place.right(), free.right()));
    place.moveBottom(std::min(place.bottom(), free.bottom()));
    window->move(std::max(place.left(), free.left()), std::max(place.top(), free.top()));
}

} // namespace WindowSizing
