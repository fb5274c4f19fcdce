#include "BenchSupport.h"

#include "archive/ArchiveCsv.h"
#include "archive/ArchiveModel.h"
#include "archive/ArchiveStore.h"
#include "archive/ui/ArchiveWindow.h"
#include "session/Session.h"

#include <QCoreApplication>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

// An archive four times the size of every contest ever played: 250 seasons of 40 contests,
// random winning columns with now and then a match that did not count.
static QByteArray generatedCsv(int records)
{
    QRandomGenerator random(13);
    QByteArray csv;
    for (int k = 0; k < records; ++k) {
        const int season = 1800 + k / 40;
        QByteArray column;
        for (int match = 0; match < 13; ++match)
            column += random.bounded(40) == 0 ? '-' : "1X2"[random.bounded(3)];
        csv += QByteArray::number(season) + '-' + QByteArray::number(season + 1) + ';' +
               QByteArray::number(k % 40 + 1) + ';' + column + ";ABC;" +
               (random.bounded(2) ? "Si" : "No") + '\n';
    }
    return csv;
}

void benchArchiveStore()
{
    constexpr int Records = 10000;
    const QByteArray csv = generatedCsv(Records);
    QTemporaryDir folder;
    const auto fresh = [&folder] {
        QFile::remove(folder.filePath(QStringLiteral("ColVin13.mdb")));
    };
    const auto skipAll = [](const ArchiveRecord::TypedFields&) {
        return ArchiveStore::Duplicate::Skip;
    };
    report(QStringLiteral("archive: CSV parse of 10,000 records"),
           medianMilliseconds(5, [&] { ArchiveCsv::parse(csv); }));
    report(QStringLiteral("archive: CSV import of 10,000 records"), medianMilliseconds(5, [&] {
               fresh();
               ArchiveStore store(folder.path());
               ArchiveStore::ImportCount counted;
               QString error;
               if (!store.open(&error) ||
                   !store.importRecords(ArchiveCsv::parse(csv).records, skipAll, counted, &error))
                   qFatal("%s", qPrintable(error));
           }));
    ArchiveStore store(folder.path());
    QString error;
    store.open(&error);
    report(QStringLiteral("archive: recompute all 10,000 records"),
           medianMilliseconds(5, [&] { store.recomputeAll(&error); }));
    report(QStringLiteral("archive: browser load of 10,000 records into its model"),
           medianMilliseconds(5, [&] {
               ArchiveStore browser(folder.path());
               QList<ArchiveRecord> records;
               ArchiveModel model;
               if (!browser.open(&error) || !browser.load(records, &error))
                   qFatal("%s", qPrintable(error));
               model.setRecords(std::move(records));
           }));
    SilentPrompts prompts;
    Session session(folder.path(), prompts);
    report(QStringLiteral("archive: browser window opened and shown on 10,000 records"),
           medianMilliseconds(5, [&] {
               ArchiveWindow window(session);
               window.show();
               QCoreApplication::processEvents();
           }));
}
