#include "archive/ui/CsvExport.h"

#include "archive/ArchiveCsv.h"
#include "platform/NumberFormat.h"
#include "platform/SafeFile.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QDir>

namespace CsvExport {

bool save(Session& session, const QList<ArchiveRecord>& records)
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
    SafeFile file(*path);
    if (!(file.open() && file.write(ArchiveCsv::format(records)) && file.commit())) {
        prompts.message({MessageIcon::Critical, title, file.errorString(), MessageButtons::Ok});
        return false;
    }
    prompts.inform(title, QStringLiteral("Colonne esportate:%1\n%2")
                              .arg(NumberFormat::Str(double(records.size())),
                                   QDir::toNativeSeparators(*path)));
    return true;
}

} // namespace CsvExport
