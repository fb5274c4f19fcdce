#pragma once

#include <QString>

class QPrinter;

// The print system behind a printer: whether the printer takes jobs now, and whether it took the
// job just handed to it. Qt reports neither for a queue that refuses jobs: the painter ends well
// and the job is dropped. Tests put a queue of their own in place of the desktop's.
class PrinterQueue {
public:
    virtual ~PrinterQueue() = default;

    // Why `printer` takes no job now, in Italian; empty when it takes them.
    virtual QString refusal(const QString& printer) = 0;
    // Called once on the device the jobs are painted on, after it has been set up: the desktop's
    // queue is where Qt already sends it; a stand-in may send it elsewhere.
    virtual void prepare(QPrinter& device) = 0;
    // Why the job just ended on `printer` was not taken; empty when it was.
    virtual QString jobRefusal(const QString& printer) = 0;

    // The queue printouts go through: the desktop's, unless another was put in its place.
    static PrinterQueue& current();
    // Puts `queue` in place of the desktop's; nullptr gives the desktop's back.
    static void replace(PrinterQueue* queue);
};
