#pragma once

#include "document/ConditionSet.h"

#include <QString>

#include <array>
#include <optional>

// The texts of the condition dialogs' boxes, each at the index of the condition entry it edits.
using ConditionBoxes = std::array<QString, ConditionSet::Size>;

// What a failed check asks of its dialog: show the message, put the text into the box and give
// that box the focus.
struct BoxCorrection {
    QString message;
    int box = 0;
    QString text;

    friend bool operator==(const BoxCorrection&, const BoxCorrection&) = default;
};

namespace ConditionBoxesCheck {

inline const QString EmptyBoxMessage = QStringLiteral("Casella Vuota !");

// A box left empty (blanks aside) is refused with its text unchanged.
std::optional<BoxCorrection> emptyBox(const ConditionBoxes& boxes, int box);

// The numeric value of a box, read the way the dialogs compare values.
double valueOf(const ConditionBoxes& boxes, int box);

} // namespace ConditionBoxesCheck
