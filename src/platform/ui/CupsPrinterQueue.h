#pragma once

#include "platform/ui/PrinterQueue.h"

// The desktop's print system, CUPS, asked directly: Qt hands a job to CUPS after the painter has
// ended and keeps no word of a refusal, so the queue's state is read before each job and CUPS's
// answer to the submission after it.
class CupsPrinterQueue final : public PrinterQueue {
public:
    QString refusal(const QString& printer) override;
    void prepare(QPrinter&) override {}
    QString jobRefusal(const QString& printer) override;
};
