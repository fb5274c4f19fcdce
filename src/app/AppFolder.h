#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its settings, databases and the default systems folder.
namespace AppFolder {

// "--app-folder DIR" when given; else the program's folder when writable; else the per-user
// application data folder.
QString resolve(const QStringList& arguments, const QString& programFolder);

// Creates the folder and its "Sistemi" subfolder; false, with the Italian message naming the
// folder, when they cannot be created.
bool prepare(const QString& appFolder, QString* error = nullptr);

} // namespace AppFolder
