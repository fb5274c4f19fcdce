#pragma once

#include "conditions/Measures.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <span>

// One contest of the archive of winning columns, as its 32 fields stand in ColonneVincenti:
// season, contest, the 13 signs, series and postponed flag as typed, then the completeness and
// the fourteen measures computed from the signs.
struct ArchiveRecord {
    static constexpr int FieldCount = 32;
    static constexpr int TypedCount = 17; // Anno .. Post, what the user enters
    enum Field {
        Anno = 0,
        Conc = 1,
        FirstSign = 2, // P1 .. P13 at 2 .. 14
        Serie = 15,
        Post = 16,
        Comp = 17,
        FirstMeasure = 18, // S1 .. FC at 18 .. 31
    };
    static constexpr int MeasureCount = FieldCount - FirstMeasure;

    using TypedFields = std::array<QString, TypedCount>;

    qint64 id = 0; // the row's identity in the store
    std::array<QString, FieldCount> fields;

    const QString& operator[](int field) const { return fields[field]; }
    // The winning column: the 13 sign fields joined in match order.
    QByteArray column() const;
    TypedFields typed() const;

    // A record of typed fields with Comp and the measures computed from its signs.
    static ArchiveRecord fromTyped(const TypedFields& typed);
};

namespace ArchiveFields {

// The column of the 13 sign texts of typed fields (a missing sign stays out).
QByteArray columnOf(const ArchiveRecord::TypedFields& typed);

// Comp ("Si" without '-', else "No") and the fourteen measures S1 .. FC in field order.
struct Computed {
    QString Comp;
    std::array<int, ArchiveRecord::MeasureCount> measures{};
};
Computed compute(QByteArrayView column);

// The five series a slip may come from, in the order the editor offers them.
struct SeriesInfo {
    const char* code;     // "A__"
    const char* checkBox; // "Schedine con solo Serie A"
    const char* printed;  // "A"
};
std::span<const SeriesInfo> seriesTable();
bool isSeriesCode(const QString& code);

// "2004-2005": four digits, a hyphen, and the next year.
bool isSeason(const QString& text);
// "Si", "Sì" or "No" in any case; nothing for any other text.
std::optional<bool> postponedOf(const QString& text);

} // namespace ArchiveFields
