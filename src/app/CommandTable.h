#pragma once

#include <QKeySequence>
#include <QString>

#include <span>

// One entry of the menu bar or the toolbar: the whole command table as data, from which the
// main window builds its menus and buttons.
struct CommandEntry {
    const char* name;     // "mnuNuovo", "tmNuovo"; "-" for a separator
    const char* caption;  // menu caption with access key, or the tool tip of a button
    const char* parent;   // the menu holding it; nullptr for the menu bar or the toolbar
    const char* shortcut; // portable key sequence text, or nullptr
    const char* menuTwin; // for a button: the menu item whose handler it runs
};

namespace CommandTable {
// Menus and menu items in the order they appear; separators named "-".
std::span<const CommandEntry> menuEntries();
// Toolbar buttons in order, their caption being the tool tip; separators named "-".
std::span<const CommandEntry> toolbarEntries();
} // namespace CommandTable
