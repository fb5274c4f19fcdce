#pragma once

#include "document/Options.h"

#include <QString>

#include <array>
#include <optional>

// What the options window knows without its widgets: its fields' labels, lengths and key
// filters, the check of the default shares, and the options an OK produces.
namespace OptionsLogic {

// Fields 1..7 edit options 0..6; 6 and 7 have no visible field.
constexpr int FieldCount = Options::Count;
constexpr int VisibleFields = 5;
constexpr int SharesField = 3;
using Fields = std::array<QString, FieldCount>; // index 0 is field 1

QString label(int field);
// 0 when the field takes any length.
int maxLength(int field);
bool acceptsKey(int field, QChar typed);

// Leaving the shares field: the text it should show instead, or the message when the value is
// outside 1..255 (the text then stays as typed).
struct SharesCheck {
    std::optional<QString> error;
    QString text;
};
SharesCheck checkShares(const QString& text);

// What OK refuses: the first visible field that is empty (1..5) and the message shown.
struct Refusal {
    int field;
    QString message;
};
// nullopt when the fields can be stored.
std::optional<Refusal> validationError(const Fields& fields);

// The options OK stores: the folder trimmed and without one final separator, and the
// properties flag "S" or "N" from the check box.
Options result(const Fields& fields, bool showProperties);

// The fields the dialog opens with.
Fields fieldsOf(const Options& options);

} // namespace OptionsLogic
