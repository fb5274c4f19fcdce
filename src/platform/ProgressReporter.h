#pragma once

// The main window's progress bar as long operations see it. The default does nothing, so
// logic runs headless without one.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    virtual void setRange(int minimum, int maximum) { (void)minimum, (void)maximum; }
    virtual void setValue(int value) { (void)value; }
};
