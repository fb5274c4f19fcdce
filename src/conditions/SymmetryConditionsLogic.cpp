#include "conditions/SymmetryConditionsLogic.h"

#include "conditions/SequenceFilter.h"

using ConditionBoxesCheck::valueOf;

namespace {

struct GroupMessages {
    QString minimumStreak;
    QString maximumStreak;
    QString maximumCount;
};

const GroupMessages& messagesOf(SymmetryConditionsLogic::Mode mode)
{
    static const std::array<GroupMessages, 3> Messages = {{
        {QStringLiteral("Valore delle Simmetrie consecutive Minime non ammesso !"),
         QStringLiteral("Valore delle Simmetrie consecutive Massime non ammesso !"),
         QStringLiteral("Valore delle Simmetrie Massime non ammesso !")},
        {QStringLiteral("Valore dei Paralleli consecutivi Minimi non ammesso !"),
         QStringLiteral("Valore dei Paralleli consecutivi Massimi non ammesso !"),
         QStringLiteral("Valore dei Paralleli Massimi non ammesso !")},
        // "Paralleili" is the program's own wording of this one message.
        {QStringLiteral("Valore dei Paralleili P3 consecutivi Minimi non ammesso !"),
         QStringLiteral("Valore dei Paralleli P3 consecutivi Massimi non ammesso !"),
         QStringLiteral("Valore dei Paralleli P3 Massimi non ammesso !")},
    }};
    return Messages[static_cast<int>(mode)];
}

} // namespace

SymmetryConditionsLogic::Mode SymmetryConditionsLogic::modeOf(const QString& dialogMode)
{
    if (dialogMode == QLatin1String("PARA"))
        return Mode::Parallels;
    if (dialogMode == QLatin1String("PAR3"))
        return Mode::ParallelsStep3;
    return Mode::Symmetries;
}

int SymmetryConditionsLogic::firstBoxOf(Mode mode)
{
    switch (mode) {
    case Mode::Symmetries:
        return 17;
    case Mode::Parallels:
        return 21;
    case Mode::ParallelsStep3:
        return 46;
    }
    return 17;
}

QString SymmetryConditionsLogic::caption(Mode mode, const QString& systemName)
{
    switch (mode) {
    case Mode::Symmetries:
        return systemName + QStringLiteral(" - Simmetrie");
    case Mode::Parallels:
        return systemName + QStringLiteral(" - Paralleli");
    case Mode::ParallelsStep3:
        return systemName + QStringLiteral(" - Paralleli a Passo 3");
    }
    return systemName;
}

ConditionBoxes SymmetryConditionsLogic::boxesOf(const ConditionSet& conditions)
{
    ConditionBoxes boxes;
    for (int box : Boxes)
        boxes[box] = SequenceFilter::trimBlanks(conditions.text(box));
    return boxes;
}

SymmetryConditionsLogic::SymmetryConditionsLogic(Mode mode)
    : m_mode(mode)
{}

bool SymmetryConditionsLogic::acceptsKey(QChar typed) const
{
    const QChar highest = m_mode == Mode::ParallelsStep3 ? QLatin1Char('9') : QLatin1Char('6');
    return typed >= QLatin1Char('0') && typed <= highest;
}

int SymmetryConditionsLogic::colourGroupOf(int match) const
{
    switch (m_mode) {
    case Mode::Symmetries:
        // Pairs (k, 14 - k).
        if (match == 7)
            return UnpairedGroup;
        return (match < 7 ? match : 14 - match) - 1;
    case Mode::Parallels:
        // Pairs (k, k + 7).
        if (match == 7)
            return UnpairedGroup;
        return (match < 7 ? match : match - 7) - 1;
    case Mode::ParallelsStep3:
        return match % 2 == 1 ? 0 : 1;
    }
    return UnpairedGroup;
}

std::optional<BoxCorrection> SymmetryConditionsLogic::leaveCheck(const ConditionBoxes& boxes,
                                                                 int box) const
{
    if (auto empty = ConditionBoxesCheck::emptyBox(boxes, box))
        return empty;
    return groupCheck(boxes);
}

std::optional<BoxCorrection> SymmetryConditionsLogic::groupCheck(const ConditionBoxes& boxes) const
{
    const int m = firstBox();
    const GroupMessages& messages = messagesOf(m_mode);
    const auto value = [&boxes](int box) { return valueOf(boxes, box); };
    if (value(m + 2) > value(m + 1))
        return BoxCorrection{messages.minimumStreak, m + 2, boxes[m + 1]};
    if (value(m + 3) > value(m + 1))
        return BoxCorrection{messages.maximumStreak, m + 3, boxes[m + 1]};
    if (value(m + 2) > value(m + 3))
        return BoxCorrection{messages.maximumStreak, m + 3, boxes[m + 2]};
    if (value(m) > value(m + 1))
        return BoxCorrection{messages.maximumCount, m + 1, boxes[m]};
    return std::nullopt;
}

void SymmetryConditionsLogic::store(const ConditionBoxes& boxes, ConditionSet& conditions)
{
    for (int box : Boxes)
        conditions.set(box, valueOf(boxes, box));
}
