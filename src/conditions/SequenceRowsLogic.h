#pragma once

#include "document/ConditionSet.h"

#include <QString>

#include <array>
#include <optional>

// The seven rows of the excluded-sequences dialog: what each box shows, what typing may enter,
// the checks on leaving a box and what OK stores.
class SequenceRowsLogic final {
public:
    static constexpr int Rows = ConditionSet::SequenceSlots;

    struct Row {
        QString signs;  // box b
        QString fields; // box b + 1
        QString holder; // box b + 2, the hidden text behind "Attiva"
        bool active = false;

        friend bool operator==(const Row&, const Row&) = default;
    };
    using RowArray = std::array<Row, Rows>;

    // A box after it was left: the text to write back, and the message when it is refused.
    struct Leave {
        QString text;
        std::optional<QString> message;

        friend bool operator==(const Leave&, const Leave&) = default;
    };

    static int baseIndex(int row) { return ConditionSet::sequenceIndex(row); }

    // Trim(entry) of every box, "Attiva" ticked for "S"; a row with fewer than 2 signs shows
    // empty signs and fields.
    static RowArray rowsOf(const ConditionSet& conditions);

    // Signs: '3' and 'x' enter 'X'; only 1, 2, X pass.
    static std::optional<QChar> signKey(QChar typed);
    // Fields: digits and '-'.
    static bool acceptsFieldKey(QChar typed);

    static Leave leaveSigns(const QString& signs);
    // `rowSigns`: the text of the signs box of the same row.
    static Leave leaveFields(const QString& fields, const QString& rowSigns);

    // Focus entering OK: rows without signs lose their fields and their switch.
    static void clearEmptyRows(RowArray& rows);
    // Entries 25..45 take the texts, rows without signs cleared first; each holder becomes "S"
    // or "N" from its switch.
    static void store(RowArray& rows, ConditionSet& conditions);
};
