#include "platform/ui/PrinterQueue.h"

#include "platform/ui/CupsPrinterQueue.h"

namespace {

PrinterQueue* replacement = nullptr;

} // namespace

PrinterQueue& PrinterQueue::current()
{
    static CupsPrinterQueue desktop;
    return replacement ? *replacement : desktop;
}

void PrinterQueue::replace(PrinterQueue* queue)
{
    replacement = queue;
}
