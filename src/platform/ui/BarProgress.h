#pragma once

#include "platform/ProgressReporter.h"

#include <QElapsedTimer>

class QProgressBar;

// Drives a window's progress bar for long operations; repaints at most every 30 ms, since the
// work does not return to the event loop until it ends and per-column progress must not slow it
// down.
class BarProgress final : public ProgressReporter {
    Q_DISABLE_COPY_MOVE(BarProgress)
public:
    // Whether reaching the minimum repaints at once as reaching the maximum does.
    enum class Ends { MinimumAndMaximum, MaximumOnly };

    explicit BarProgress(QProgressBar* bar, Ends repaintAt = Ends::MinimumAndMaximum);

    void setRange(int minimum, int maximum) override;
    void setValue(int value) override;

private:
    QProgressBar* m_bar;
    Ends m_repaintAt;
    QElapsedTimer m_sinceRepaint;
};
