#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its settings, databases and the default systems folder.
namespace AppFolder {

// "--app-folder DIR" when given; else the program's folder when writable; else the per-user
// application data folder.
QString resolve(const QStringList& arguments, const QString& programFolder);

// Creates the folder and the missing folders above it; an existing folder is no error. False,
// with the Italian message naming the folder, when it cannot be created.
bool ensure(const QString& folder, QString* error = nullptr);

// Creates the folder and its "Sistemi" subfolder.
bool prepare(const QString& appFolder, QString* error = nullptr);

} // namespace AppFolder
