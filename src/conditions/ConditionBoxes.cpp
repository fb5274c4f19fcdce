#include "conditions/ConditionBoxes.h"

#include "platform/NumberFormat.h"

namespace ConditionBoxesCheck {

std::optional<BoxCorrection> emptyBox(const ConditionBoxes& boxes, int box)
{
    if (!boxes[box].trimmed().isEmpty())
        return std::nullopt;
    return BoxCorrection{EmptyBoxMessage, box, boxes[box]};
}

double valueOf(const ConditionBoxes& boxes, int box)
{
    return NumberFormat::readAsNumber(boxes[box]);
}

} // namespace ConditionBoxesCheck
