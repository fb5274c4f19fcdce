#pragma once

#include "platform/ColumnBuffer.h"
#include "platform/MergedColumns.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// The four column databases of the application folder, kept in SQLite files under their
// historical names: Ridotto.mdb and Accorpa.mdb (table Colonne), Export.mdb and ColVin13.mdb
// (table ColonneVincenti). Every write replaces the whole table at once (the archive in one
// transaction, the others as a new file), so a failure leaves the previous content; rows come
// back in the order they were written.
namespace ColumnDatabase {

enum class Database { Archive, Export, Reduced, Merged };

// The start-up compaction order.
inline constexpr std::array<Database, 4> AllDatabases = {Database::Archive, Database::Export,
                                                         Database::Reduced, Database::Merged};

QString fileName(Database database);           // "ColVin13.mdb", "Export.mdb", ...
QString compactionFileName(Database database); // "ColVinTEMP.mdb", "ExportTEMP.mdb", ...
QString tableName(Database database);          // "Colonne" or "ColonneVincenti"
QString filePath(const QString& appFolder, Database database);
// "CREATE TABLE IF NOT EXISTS ..." with the fields and their types. Contests are numbers, so
// that they sort 1, 2, ..., 10; a contest that is not a number is kept as its text.
QString createStatement(Database database);

// The fields of ColonneVincenti in their stored order (32 names, Anno first).
const QStringList& winningFieldNames();
constexpr int WinningFieldCount = 32;
constexpr int WinningTextFields = 18; // Anno .. Comp; the measures S1 .. FC follow

// Creates the file and its table when missing.
bool ensureDatabase(const QString& appFolder, Database database, QString* error);

// Ridotto.mdb, table Colonne: one text field Col per column.
bool writeReducedColumns(const QString& appFolder, const ColumnBuffer& columns, QString* error);
bool readReducedColumns(const QString& appFolder, ColumnBuffer& columns, QString* error);

// Accorpa.mdb, table Colonne: 13 text fields C1 .. C13 holding "1", "X", "2", "1X", "12", "X2".
bool writeMergedRows(const QString& appFolder, const MergedColumns& rows, QString* error);
bool readMergedRows(const QString& appFolder, MergedColumns& rows, QString* error);

// One row of ColonneVincenti by position: a null text view or an empty measure is stored as
// NULL. Rows are bound in blocks, so the texts viewed must outlive the whole write (the
// columns being written, string literals).
struct WinningRow {
    std::array<QByteArrayView, WinningTextFields> texts;
    std::array<std::optional<int>, WinningFieldCount - WinningTextFields> measures;
};

// Replaces the rows of ColonneVincenti in Export.mdb or ColVin13.mdb with `count` rows, each
// filled in turn by `fill(index, row)` on a row that starts all NULL.
bool writeWinningRows(const QString& appFolder, Database database, qsizetype count,
                      const std::function<void(qsizetype, WinningRow&)>& fill, QString* error);

// Every row of ColonneVincenti in stored order; NULL reads as an empty text or an empty measure.
struct StoredWinningRow {
    std::array<QByteArray, WinningTextFields> texts;
    std::array<std::optional<int>, WinningFieldCount - WinningTextFields> measures;
};
bool readWinningRows(const QString& appFolder, Database database, QList<StoredWinningRow>& rows,
                     QString* error);

// Start-up compaction of the four databases in their fixed order: one whose free pages pass a
// quarter of the file is copied compacted into its temporary copy, which then replaces it; a
// clean one is left untouched. A missing database is created, a copy left by an interrupted
// compaction is put back when its database is gone, and files of interrupted writes are
// removed. Returns the problems met, in Italian.
QStringList compactDatabases(const QString& appFolder);

} // namespace ColumnDatabase
