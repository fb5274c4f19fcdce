#pragma once

#include "conditions/ConditionBoxes.h"

#include <QString>

#include <array>
#include <optional>

struct SystemDocument;

// The checks of the signs and interruptions dialog: the sign counts and longest runs (boxes
// 1..12) against the prediction, and the interruptions (boxes 13..16) against 12. Each check
// returns the first correction to make; the dialog applies it.
class SignsConditionsLogic final {
public:
    enum class Mode { Signs, Interruptions };

    // How many matches include each sign and how many play it alone, for '1', 'X', '2'.
    struct PredictionCounts {
        std::array<int, 3> segni{};
        std::array<int, 3> fissi{};
    };

    static constexpr int FirstBox = 1;
    static constexpr int LastBox = 16;
    static constexpr int MaxInterruptions = 12;

    // "INTE" opens the interruptions; any other code the signs.
    static Mode modeOf(const QString& dialogMode);
    static PredictionCounts countsOf(const SystemDocument& document);

    SignsConditionsLogic(Mode mode, const PredictionCounts& counts);

    Mode mode() const { return m_mode; }
    // The boxes this mode edits: 1..12 or 13..16.
    int firstEditable() const;
    int lastEditable() const;
    bool isEditable(int box) const { return box >= firstEditable() && box <= lastEditable(); }

    static QString caption(Mode mode, const QString& systemName);
    // The six panels of BarraInfo.
    static std::array<QString, 6> infoPanels(const PredictionCounts& counts);
    // Boxes 1..16 as the dialog opens: Trim(Str(entry)).
    static ConditionBoxes boxesOf(const ConditionSet& conditions);
    // Digits only.
    static bool acceptsKey(QChar typed);

    // Leaving `box`: an empty box first, then the check of the mode.
    std::optional<BoxCorrection> leaveCheck(const ConditionBoxes& boxes, int box) const;
    // OK: the first failing check of the mode.
    std::optional<BoxCorrection> confirmCheck(const ConditionBoxes& boxes) const;
    // The mode's entries take the numeric value of their boxes.
    void store(const ConditionBoxes& boxes, ConditionSet& conditions) const;

private:
    std::optional<BoxCorrection> signsLeaveCheck(const ConditionBoxes& boxes, int box) const;
    static std::optional<BoxCorrection> interruptionsLeaveCheck(const ConditionBoxes& boxes);
    static std::optional<BoxCorrection> signsConfirmCheck(const ConditionBoxes& boxes);
    static std::optional<BoxCorrection> interruptionsConfirmCheck(const ConditionBoxes& boxes);

    Mode m_mode;
    PredictionCounts m_counts;
};
