#pragma once

#include "document/SystemDocument.h"

#include <QString>

// The files of a system in one folder: .pro (matches, prediction, counts, flags, contest),
// .cnd (shares and conditions), .cln (reduced columns), .ntg (integral columns), and .adv (the
// advanced conditions) while some advanced condition is set.
namespace SystemFiles {

enum class LoadStatus { Ok, FileNotFound, Malformed };

struct LoadResult {
    LoadStatus status = LoadStatus::Ok;
    QString file;    // the file that failed
    QString message; // Italian description of a malformed file
};

// The file of the system with that extension; an existing file whose extension differs only in
// letter case is found too.
QString pathOf(const QString& folder, const QString& name, const QString& extension);

// The save routine: fills records 0, 14, 15, 16 and entry 0 of the conditions, writes the files
// (.cln when there is a reduced system, .ntg when match 1 has signs) and clears Modified. The
// files are replaced all together or not at all, even when the program stops halfway.
bool save(SystemDocument& document, const QString& folder, QString* error = nullptr);

// What a load reads besides the .pro file.
struct LoadParts {
    bool conditionsRequired = true; // a missing .cnd is an error, else the defaults stay
    bool columns = true;            // read .cln and .ntg as the counts say
};

// Reads the system named `name` from `folder` into a document that the caller has reset.
// On failure the document keeps what was read before the failure; the name is not set. A save
// interrupted after it was complete is finished first.
LoadResult load(SystemDocument& document, const QString& folder, const QString& name,
                LoadParts parts = {});

// Signs on match records that are not 1, X, 2, or a sign repeated within a match; empty when
// the prediction is well formed (empty fields are allowed).
QString predictionError(const SystemDocument& document);

} // namespace SystemFiles
