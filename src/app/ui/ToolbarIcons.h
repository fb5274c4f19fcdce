#pragma once

#include <QIcon>
#include <QString>

// The picture of each toolbar button: the desktop theme's icon for the standard actions, with
// the program's own drawing when the theme has none, and the program's drawings for the pool's
// commands.
namespace ToolbarIcons {

// The resource file drawn for a command (":/icons/…svg"); empty for a name without one.
QString fileFor(const QString& command);
// The theme name of a standard action's icon; empty for the pool's own commands.
QString themeNameFor(const QString& command);
QIcon iconFor(const QString& command);
// The program's own icon, for its windows: the betting slip.
QIcon applicationIcon();

} // namespace ToolbarIcons
