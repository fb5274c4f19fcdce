#pragma once

#include <QtGlobal>

// The filter passes of a reduction, in the order they run.
enum class ReductionPass {
    SignCounts,
    SignRuns,
    Interruptions,
    Symmetries,
    Parallels,
    Sequence1,
    Sequence2,
    Sequence3,
    Sequence4,
    Sequence5,
    Sequence6,
    Sequence7,
    ParallelsStep3,
    // With advanced conditions that change the reduction, one pass over every rule instead of
    // the passes above, then the most probable columns.
    Tolerance,
    MostProbable,
};

// What the reduction window watches while the engine runs. Progress arrives every
// ReductionEngine::ProgressInterval columns and once more at the end of each pass, so a window
// can repaint its labels without slowing the run; a window that wants fewer repaints drops the
// calls that come too soon after its last repaint. The defaults ignore everything.
class ReductionObserver {
public:
    virtual ~ReductionObserver() = default;
    virtual void passStarted(ReductionPass pass, qsizetype total) { (void)pass, (void)total; }
    virtual void passProgress(ReductionPass pass, qsizetype done, qsizetype total)
    {
        (void)pass, (void)done, (void)total;
    }
    virtual void passFinished(ReductionPass pass, qsizetype survivors)
    {
        (void)pass, (void)survivors;
    }
};
