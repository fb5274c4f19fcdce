#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its settings, databases and the default systems folder.
namespace AppFolder {

// The folder chosen with --app-folder when not empty; else, installed, the per-user application
// data folder; else the program's folder when writable, else the per-user one.
QString resolve(const QString& chosenFolder, const QString& programFolder);

// Where the dictation's recordings come from: the installed data folder's "sounds", else the
// copies built into the program (":/sounds").
QString soundsFolder(const QString& programFolder);

// Creates the folder and its "Sistemi" subfolder; false, with the Italian message naming the
// folder, when they cannot be created.
bool prepare(const QString& appFolder, QString* error = nullptr);

// Copies the dictation's recordings from `resourceFolder` into the application folder, each one
// that is missing there; the user may have replaced one with a recording of their own. Returns
// the problems met, in Italian.
QStringList installSounds(const QString& appFolder, const QString& resourceFolder);

} // namespace AppFolder
