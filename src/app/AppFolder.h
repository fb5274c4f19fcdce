#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its settings, databases and the default systems folder.
namespace AppFolder {

// "--app-folder DIR" when given; else the program's folder when writable; else the per-user
// application data folder.
QString resolve(const QStringList& arguments, const QString& programFolder);

// Creates the folder and its "Sistemi" subfolder; an existing folder is no error.
void prepare(const QString& appFolder);

} // namespace AppFolder
