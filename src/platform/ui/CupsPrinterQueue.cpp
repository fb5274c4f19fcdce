#include "platform/ui/CupsPrinterQueue.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <memory>

namespace {

// The printer-state values of IPP.
constexpr int PrinterStopped = 5;

struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

QString lastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace

QString CupsPrinterQueue::refusal(const QString& printer)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    const QString notReady = QStringLiteral("La stampante %1 non è pronta").arg(printer);
    if (info.isNull())
        return notReady;
    const QByteArray name = printer.toLocal8Bit();
    const std::unique_ptr<cups_dest_t, DestFree> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr));
    if (!dest)
        return QStringLiteral("La stampante %1 non risponde (%2)").arg(printer, lastCupsError());
    const auto option = [&dest](const char* key) {
        return QByteArray(cupsGetOption(key, dest->num_options, dest->options));
    };
    if (option("printer-is-accepting-jobs") == "false")
        return QStringLiteral("La stampante %1 non accetta lavori").arg(printer);
    if (option("printer-state").toInt() == PrinterStopped)
        return QStringLiteral("La stampante %1 è ferma").arg(printer);
    return info.state() == QPrinter::Error ? notReady : QString();
}

QString CupsPrinterQueue::jobRefusal(const QString& printer)
{
    // Qt submits the job on this thread as the painter ends and drops CUPS's answer; CUPS keeps
    // it as the thread's last status, which the state read before the job left at success.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return QStringLiteral("La stampante %1 ha rifiutato il lavoro (%2)")
        .arg(printer, lastCupsError());
}
