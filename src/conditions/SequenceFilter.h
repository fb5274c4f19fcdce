#pragma once

#include "conditions/FastMeasures.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// One excluded sequence read the way the reduction engine reads it: the signs trimmed of blanks
// and one match number per sign taken from the field list. A column is eliminated when its signs
// at those matches, joined in the listed order, equal the signs text exactly.
class SequenceFilter final {
public:
    SequenceFilter(const QString& signs, const QString& fields);

    // The signs without the outer blanks; this text goes back into the condition set.
    const QString& signs() const { return m_signs; }
    // One match number per sign; 0 stands for a number outside 1..13, which no column can show.
    const QList<int>& positions() const { return m_positions; }

    // The literal comparison, for any column text.
    bool eliminates(QByteArrayView column) const;
    // The same test on the sign masks of a column of '1', 'X', '2' only.
    bool eliminates(const FastMeasures::SignMasks& masks) const
    {
        return m_matchable && (masks.one & m_required.one) == m_required.one &&
               (masks.draw & m_required.draw) == m_required.draw &&
               (masks.two & m_required.two) == m_required.two;
    }
    // False when no column of '1', 'X', '2' can be eliminated (a foreign sign, a match number
    // outside 1..13, or one match asked for two different signs).
    bool canEliminate() const { return m_matchable; }

    // The number of '-' plus 1: an empty list counts as one field.
    static int CountSequenceFields(const QString& fields);

    // What the sequence dialog refuses besides its own checks: more than 13 signs, or a match
    // number that is not a whole number in 1..13. Empty when acceptable or when the row is unused
    // (no signs).
    static QString rangeError(const QString& signs, const QString& fields);

    // Trims blanks only, as the legacy Trim does (tabs stay).
    static QString trimBlanks(const QString& text);

private:
    QString m_signs;
    QList<int> m_positions;
    FastMeasures::SignMasks m_required;
    bool m_matchable = true;
};
