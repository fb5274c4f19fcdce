#pragma once

#include "conditions/ConditionBoxes.h"

#include <QString>

#include <array>
#include <optional>

// The checks of the symmetries and parallels dialog. Each mode edits one group of four boxes
// starting at m: minimum and maximum count (m, m+1), minimum and maximum streak (m+2, m+3).
class SymmetryConditionsLogic final {
public:
    enum class Mode { Symmetries, Parallels, ParallelsStep3 };

    // Every box the dialog shows, in the order of its frames.
    static constexpr std::array<int, 12> Boxes = {17, 18, 19, 20, 21, 22, 23, 24, 46, 47, 48, 49};
    // The matches of the prediction panel shown white on black: no pair holds them.
    static constexpr int UnpairedGroup = -1;

    // "PARA" and "PAR3" open their groups; any other code the symmetries.
    static Mode modeOf(const QString& dialogMode);
    static int firstBoxOf(Mode mode);
    static QString caption(Mode mode, const QString& systemName);
    // Trim(entry) for every box of the three groups.
    static ConditionBoxes boxesOf(const ConditionSet& conditions);

    explicit SymmetryConditionsLogic(Mode mode);

    Mode mode() const { return m_mode; }
    int firstBox() const { return firstBoxOf(m_mode); }
    bool isEditable(int box) const { return box >= firstBox() && box <= firstBox() + 3; }

    // 0..6 for symmetries and parallels, 0..9 for parallels at step 3.
    bool acceptsKey(QChar typed) const;
    // The colour group of a match's predicted signs: the matches of one pair share a group
    // (0..5); at step 3 the odd matches form group 0 and the even ones group 1.
    int colourGroupOf(int match) const;

    // Leaving a box: an empty box first, then the check of the mode's group.
    std::optional<BoxCorrection> leaveCheck(const ConditionBoxes& boxes, int box) const;
    std::optional<BoxCorrection> groupCheck(const ConditionBoxes& boxes) const;
    // OK stores the three groups whatever the mode.
    static void store(const ConditionBoxes& boxes, ConditionSet& conditions);

private:
    Mode m_mode;
};
