#include "conditions/SignsConditionsLogic.h"

#include "document/SystemDocument.h"
#include "platform/NumberFormat.h"

using ConditionBoxesCheck::valueOf;

namespace {

const std::array<QString, 3> SignNames = {QStringLiteral("1"), QStringLiteral("X"),
                                          QStringLiteral("2")};

// The sign of a count or run box (1..12): pairs 1-2 / 7-8 are '1', 3-4 / 9-10 'X', 5-6 / 11-12 '2'.
int signOf(int box)
{
    return ((box - 1) % 6) / 2;
}

bool isMinimum(int box)
{
    return box % 2 == 1;
}

// The message of a count or run box, shared by its leave and confirmation checks.
QString signsMessage(int box)
{
    return QStringLiteral("Valore dei Segni ") + SignNames[signOf(box)] +
           (isMinimum(box) ? QStringLiteral(" Minimi") : QStringLiteral(" Massimi")) +
           (box > 6 ? QStringLiteral(" consecutivi") : QString()) +
           QStringLiteral(" non ammesso !");
}

QString numberText(double value)
{
    return NumberFormat::plain(value);
}

const QString MaxInterruptionsText = QStringLiteral("12");

} // namespace

SignsConditionsLogic::Mode SignsConditionsLogic::modeOf(const QString& dialogMode)
{
    return dialogMode == QLatin1String("INTE") ? Mode::Interruptions : Mode::Signs;
}

SignsConditionsLogic::PredictionCounts
SignsConditionsLogic::countsOf(const SystemDocument& document)
{
    return {{document.Segni1, document.SegniX, document.Segni2},
            {document.Fissi1, document.FissiX, document.Fissi2}};
}

SignsConditionsLogic::SignsConditionsLogic(Mode mode, const PredictionCounts& counts)
    : m_mode(mode)
    , m_counts(counts)
{}

int SignsConditionsLogic::firstEditable() const
{
    return m_mode == Mode::Signs ? 1 : 13;
}

int SignsConditionsLogic::lastEditable() const
{
    return m_mode == Mode::Signs ? 12 : 16;
}

QString SignsConditionsLogic::caption(Mode mode, const QString& systemName)
{
    return systemName +
           (mode == Mode::Signs ? QStringLiteral(" - Segni") : QStringLiteral(" - Interruzioni"));
}

std::array<QString, 6> SignsConditionsLogic::infoPanels(const PredictionCounts& counts)
{
    std::array<QString, 6> panels;
    for (int s = 0; s < 3; ++s) {
        panels[2 * s] = QStringLiteral(" Segni ") + SignNames[s] + QStringLiteral(": ") +
                        NumberFormat::Str(counts.segni[s]);
        panels[2 * s + 1] = QStringLiteral(" Segni ") + SignNames[s] + QStringLiteral(" Fissi: ") +
                            NumberFormat::Str(counts.fissi[s]);
    }
    return panels;
}

ConditionBoxes SignsConditionsLogic::boxesOf(const ConditionSet& conditions)
{
    ConditionBoxes boxes;
    for (int i = FirstBox; i <= LastBox; ++i)
        boxes[i] = NumberFormat::Str(conditions.number(i)).trimmed();
    return boxes;
}

bool SignsConditionsLogic::acceptsKey(QChar typed)
{
    return typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
}

std::optional<BoxCorrection> SignsConditionsLogic::leaveCheck(const ConditionBoxes& boxes,
                                                              int box) const
{
    if (auto empty = ConditionBoxesCheck::emptyBox(boxes, box))
        return empty;
    return m_mode == Mode::Signs ? signsLeaveCheck(boxes, box) : interruptionsLeaveCheck(boxes);
}

std::optional<BoxCorrection> SignsConditionsLogic::signsLeaveCheck(const ConditionBoxes& boxes,
                                                                   int box) const
{
    for (int i = 1; i <= 6; ++i) {
        const int segni = m_counts.segni[signOf(i)];
        if (valueOf(boxes, i) > segni)
            return BoxCorrection{signsMessage(i), i, numberText(segni)};
    }
    for (int i = 1; i <= 6; ++i) {
        const int fissi = m_counts.fissi[signOf(i)];
        if (valueOf(boxes, i) < fissi)
            return BoxCorrection{signsMessage(i), i, numberText(fissi)};
    }
    if (box < 7 || box > 12)
        return std::nullopt;

    // A run box is bounded by the count boxes of its sign.
    const int countMinimum = 1 + 2 * signOf(box);
    const int countMaximum = countMinimum + 1;
    const double maximum = valueOf(boxes, countMaximum);
    if (isMinimum(box) && valueOf(boxes, box) == 0 && valueOf(boxes, countMinimum) > 0)
        return BoxCorrection{signsMessage(box), box, QStringLiteral("1")};
    if (valueOf(boxes, box) > maximum)
        return BoxCorrection{signsMessage(box), box, numberText(maximum)};
    return std::nullopt;
}

std::optional<BoxCorrection>
SignsConditionsLogic::interruptionsLeaveCheck(const ConditionBoxes& boxes)
{
    if (valueOf(boxes, 13) > MaxInterruptions)
        return BoxCorrection{
            QStringLiteral("Valore delle Interruzioni Minime non ammesso (Max. 12) !"), 13,
            MaxInterruptionsText};
    if (valueOf(boxes, 14) > MaxInterruptions)
        return BoxCorrection{
            QStringLiteral("Valore delle Interruzioni Massime non ammesso (Max. 12) !"), 14,
            MaxInterruptionsText};
    return std::nullopt;
}

std::optional<BoxCorrection> SignsConditionsLogic::confirmCheck(const ConditionBoxes& boxes) const
{
    return m_mode == Mode::Signs ? signsConfirmCheck(boxes) : interruptionsConfirmCheck(boxes);
}

std::optional<BoxCorrection> SignsConditionsLogic::signsConfirmCheck(const ConditionBoxes& boxes)
{
    for (int minimum = 1; minimum <= 11; minimum += 2) {
        const int maximum = minimum + 1;
        if (valueOf(boxes, minimum) > valueOf(boxes, maximum))
            return BoxCorrection{signsMessage(maximum), maximum, boxes[minimum]};
    }
    return std::nullopt;
}

std::optional<BoxCorrection>
SignsConditionsLogic::interruptionsConfirmCheck(const ConditionBoxes& boxes)
{
    const auto value = [&boxes](int box) { return valueOf(boxes, box); };
    const QString minimumConsecutive =
        QStringLiteral("Valore delle Interruzioni Minime consecutive non ammesso !");
    const QString maximumConsecutive =
        QStringLiteral("Valore delle Interruzioni Massime consecutive non ammesso !");

    if (value(13) > value(14))
        return BoxCorrection{QStringLiteral("Valore delle Interruzioni Massime non ammesso !"), 14,
                             boxes[13]};
    if (value(15) > value(14))
        return BoxCorrection{minimumConsecutive, 15, boxes[14]};
    if (value(16) > value(14))
        return BoxCorrection{maximumConsecutive, 16, boxes[14]};
    if (value(15) > value(16))
        return BoxCorrection{maximumConsecutive, 16, boxes[15]};
    if (value(13) > 0 && value(15) == 0)
        return BoxCorrection{minimumConsecutive, 15, QStringLiteral("1")};

    const std::array<QString, 4> limits = {
        QStringLiteral("Valore delle Interruzioni Minime non ammesso (Max. 12) !"),
        QStringLiteral("Valore delle Interruzioni Massime non ammesso (Max. 12) !"),
        QStringLiteral("Valore delle Interruzioni Consecutive Minime non ammesso (Max. 12) !"),
        QStringLiteral("Valore delle Interruzioni Consecutive Massime non ammesso (Max. 12) !")};
    for (int box = 13; box <= 16; ++box) {
        if (value(box) > MaxInterruptions)
            return BoxCorrection{limits[box - 13], box, MaxInterruptionsText};
    }
    return std::nullopt;
}

void SignsConditionsLogic::store(const ConditionBoxes& boxes, ConditionSet& conditions) const
{
    for (int i = firstEditable(); i <= lastEditable(); ++i)
        conditions.set(i, valueOf(boxes, i));
}
