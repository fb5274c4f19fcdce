#include "archive/ui/CsvExport.h"

#include "archive/ArchiveCsv.h"
#include "platform/NumberFormat.h"
#include "platform/SafeFile.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QDir>

#include <functional>

namespace CsvExport {

namespace {

// Asks for the file, lets `write` fill it, and reports the count or the error.
bool saveWith(Session& session,
              const std::function<bool(const QString&, qsizetype&, QString*)>& write)
{
    UserPrompts& prompts = session.prompts();
    const std::optional<QString> path =
        prompts.saveFile({QStringLiteral("Esporta Colonne Vincenti"),
                          {QStringLiteral("File CSV (*.csv)")},
                          0,
                          QStringLiteral("csv"),
                          session.systemsFolder(),
                          QStringLiteral("ColonneVincenti.csv")});
    if (!path)
        return false;
    const QString title = QLatin1String(Session::AppTitle);
    qsizetype written = 0;
    QString error;
    if (!write(*path, written, &error)) {
        prompts.message({MessageIcon::Critical, title, error, MessageButtons::Ok});
        return false;
    }
    prompts.inform(title,
                   QStringLiteral("Colonne esportate:%1\n%2")
                       .arg(NumberFormat::Str(double(written)), QDir::toNativeSeparators(*path)));
    return true;
}

} // namespace

bool save(Session& session, const QList<ArchiveRecord>& records)
{
    return saveWith(session, [&records](const QString& path, qsizetype& written, QString* error) {
        SafeFile file(path);
        if (!(file.open() && file.write(ArchiveCsv::format(records)) && file.commit())) {
            *error = file.errorString();
            return false;
        }
        written = records.size();
        return true;
    });
}

bool saveArchive(Session& session, const ArchiveStore& store)
{
    return saveWith(session, [&store](const QString& path, qsizetype& written, QString* error) {
        return ArchiveCsv::exportArchive(store, path, written, error);
    });
}

} // namespace CsvExport
