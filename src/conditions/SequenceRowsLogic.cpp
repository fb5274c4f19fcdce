#include "conditions/SequenceRowsLogic.h"

#include "conditions/SequenceFilter.h"

namespace {

constexpr int MaxSigns = 13;

} // namespace

SequenceRowsLogic::RowArray SequenceRowsLogic::rowsOf(const ConditionSet& conditions)
{
    RowArray rows;
    for (int j = 0; j < Rows; ++j) {
        const int b = baseIndex(j);
        Row& row = rows[j];
        row.signs = SequenceFilter::trimBlanks(conditions.text(b));
        row.fields = SequenceFilter::trimBlanks(conditions.text(b + 1));
        row.holder = SequenceFilter::trimBlanks(conditions.text(b + 2));
        row.active = conditions.text(b + 2) == QLatin1String("S");
        // A new system's entries are the number 0, shown as an unused row.
        if (row.signs.size() < 2) {
            row.signs.clear();
            row.fields.clear();
        }
    }
    return rows;
}

std::optional<QChar> SequenceRowsLogic::signKey(QChar typed)
{
    switch (typed.unicode()) {
    case '1':
    case '2':
    case 'X':
        return typed;
    case '3':
    case 'x':
        return QLatin1Char('X');
    default:
        return std::nullopt;
    }
}

bool SequenceRowsLogic::acceptsFieldKey(QChar typed)
{
    return (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QLatin1Char('-');
}

SequenceRowsLogic::Leave SequenceRowsLogic::leaveSigns(const QString& signs)
{
    Leave leave{SequenceFilter::trimBlanks(signs), std::nullopt};
    if (leave.text.size() == 1)
        leave.message = QStringLiteral("Inserire almeno 2 segni !");
    else if (leave.text.size() > MaxSigns)
        leave.message = SequenceFilter::rangeError(leave.text, QString());
    return leave;
}

SequenceRowsLogic::Leave SequenceRowsLogic::leaveFields(const QString& fields,
                                                        const QString& rowSigns)
{
    Leave leave{SequenceFilter::trimBlanks(fields), std::nullopt};
    if (leave.text.contains(QLatin1String("--"))) {
        leave.message = QStringLiteral("Rilevati trattini Doppi (--) !");
        return leave;
    }
    if (leave.text.startsWith(QLatin1Char('-')))
        leave.text.remove(0, 1);
    if (leave.text.endsWith(QLatin1Char('-')))
        leave.text.chop(1);

    // A row without signs is not in use, and OK's focus step empties it: its fields are not
    // held against a sign count of zero.
    const QString signs = SequenceFilter::trimBlanks(rowSigns);
    if (signs.isEmpty())
        return leave;
    if (SequenceFilter::CountSequenceFields(leave.text) != signs.size()) {
        leave.message = QStringLiteral("Numero di campi non valido !");
        return leave;
    }
    const QString range = SequenceFilter::rangeError(signs, leave.text);
    if (!range.isEmpty())
        leave.message = range;
    return leave;
}

void SequenceRowsLogic::clearEmptyRows(RowArray& rows)
{
    for (int j = Rows - 1; j >= 0; --j) {
        Row& row = rows[j];
        if (!row.signs.trimmed().isEmpty())
            continue;
        row.fields.clear();
        row.holder.clear();
        row.active = false;
    }
}

void SequenceRowsLogic::store(RowArray& rows, ConditionSet& conditions)
{
    // However the dialog was confirmed (a click, Enter in a box), a row without signs never
    // reaches the engine active: an empty sequence there would match every column.
    clearEmptyRows(rows);
    for (int j = 0; j < Rows; ++j) {
        Row& row = rows[j];
        row.holder = row.active ? QStringLiteral("S") : QStringLiteral("N");
        const int b = baseIndex(j);
        conditions.set(b, row.signs);
        conditions.set(b + 1, row.fields);
        conditions.set(b + 2, row.holder);
    }
}
