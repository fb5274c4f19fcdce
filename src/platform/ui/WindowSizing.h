#pragma once

class QString;
class QWidget;

// Keeps every window at least as wide as its caption and as large as its content, so that
// neither is cut.
namespace WindowSizing {

// The width a frame needs to show `caption` in full beside its icon and its buttons.
int captionWidth(const QString& caption);

// Widens `window` (a top-level window or a sub-window of the main window) to its caption's
// width, as its minimum width too, so that the layout cannot shrink it again.
void fitCaption(QWidget* window);

// Grows a top-level window to the size its layout asks for, so that all of its content shows,
// but no larger than the screen's free area. Qt's own adjustSize() stops at two thirds of the
// screen, which cuts wide windows.
void fitContent(QWidget* window);

} // namespace WindowSizing
