#pragma once

#include <QString>

// Whether the program runs installed (from a prefix holding its data folder, share/quadrigo13)
// or from its build folder or a folder of its own, and where its settings go accordingly.
namespace InstallLayout {

// The installed data folder (recordings, icons) beside `programFolder`'s prefix; empty when the
// program does not run from an installed prefix.
QString dataFolder(const QString& programFolder);

// The application folder when none is chosen: installed, the per-user application data folder
// (never the prefix, which belongs to the package manager); else the program's own folder when
// writable, for portable use; else the per-user one.
QString defaultAppFolder(const QString& programFolder);

} // namespace InstallLayout
