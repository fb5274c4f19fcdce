#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its settings, databases and the default systems folder.
namespace AppFolder {

// The folder chosen with --app-folder when not empty; else the program's folder when writable;
// else the per-user application data folder.
QString resolve(const QString& chosenFolder, const QString& programFolder);

// Creates the folder and its "Sistemi" subfolder; false, with the Italian message naming the
// folder, when they cannot be created.
bool prepare(const QString& appFolder, QString* error = nullptr);

// Copies the dictation's recordings from `resourceFolder` into the application folder, each one
// that is missing there; the user may have replaced one with a recording of their own. Returns
// the problems met, in Italian.
QStringList installSounds(const QString& appFolder, const QString& resourceFolder);

} // namespace AppFolder
