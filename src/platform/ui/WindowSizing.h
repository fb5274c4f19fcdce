#pragma once

class QString;
class QWidget;

// Keeps every window at least as wide as its caption, so that its title is never cut.
namespace WindowSizing {

// The width a frame needs to show `caption` in full beside its icon and its buttons.
int captionWidth(const QString& caption);

// Widens `window` (a top-level window or a sub-window of the main window) to its caption's
// width, as its minimum width too, so that the layout cannot shrink it again.
void fitCaption(QWidget* window);

} // namespace WindowSizing
