#pragma once

// Header-only: the support library does not link the window modules, the GUI tests that include
// this do.
#include "platform/ui/PrinterQueue.h"

#include <QPrinter>

// A print queue that writes its jobs into a PDF file and refuses one job on cue: either it takes
// no job when that one is about to start (the queue not accepting), or it drops that one once
// handed over. In place of the desktop's for its lifetime.
class ScriptedPrinterQueue final : public PrinterQueue {
public:
    enum class When { Before, After };

    ScriptedPrinterQueue(QString pdfPath, int refusedJob, When when)
        : m_pdfPath(std::move(pdfPath))
        , m_refusedJob(refusedJob)
        , m_when(when)
    {
        PrinterQueue::replace(this);
    }
    ~ScriptedPrinterQueue() override { PrinterQueue::replace(nullptr); }
    Q_DISABLE_COPY_MOVE(ScriptedPrinterQueue)

    // The jobs handed over, refused or not.
    int jobs = 0;

    QString refusal(const QString& printer) override
    {
        return m_when == When::Before && jobs + 1 == m_refusedJob
                   ? QStringLiteral("La stampante %1 non accetta lavori").arg(printer)
                   : QString();
    }
    void prepare(QPrinter& device) override { device.setOutputFileName(m_pdfPath); }
    QString jobRefusal(const QString& printer) override
    {
        ++jobs;
        return m_when == When::After && jobs == m_refusedJob
                   ? QStringLiteral("La stampante %1 ha rifiutato il lavoro").arg(printer)
                   : QString();
    }

private:
    QString m_pdfPath;
    int m_refusedJob;
    When m_when;
};
