#include "platform/ui/WindowSizing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

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

} // namespace WindowSizing
