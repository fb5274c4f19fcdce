#include "archive/RecordEditorLogic.h"

namespace RecordEditorLogic {

std::optional<QString> signKey(QChar key)
{
    switch (key.unicode()) {
    case 'X':
    case 'x':
    case '3':
        return QStringLiteral("X");
    case '1':
    case '2':
    case '-':
        return QString(key);
    default:
        return std::nullopt;
    }
}

std::optional<QString> postKey(QChar key)
{
    switch (key.toUpper().unicode()) {
    case 'S':
        return QStringLiteral("Si");
    case 'N':
        return QStringLiteral("No");
    default:
        return std::nullopt;
    }
}

QString validate(const ArchiveRecord::TypedFields& typed)
{
    for (int k = 0; k < 13; ++k)
        if (typed[ArchiveRecord::FirstSign + k].trimmed().isEmpty())
            return QStringLiteral("Rilevata casella vuota su Colonna Vincente !");
    const QString season = typed[ArchiveRecord::Anno].trimmed();
    if (season.isEmpty() || typed[ArchiveRecord::Conc].trimmed().isEmpty() || season.size() != 9)
        return QStringLiteral("Inserire correttamente i Dati del Concorso !");
    if (typed[ArchiveRecord::Post].trimmed().isEmpty())
        return QStringLiteral("Inserire il valore 'Posticipo/i in fondo'");
    return {};
}

QString caption(const QString& mode, const ArchiveRecord::TypedFields& typed, int recordCount)
{
    const QString& contest = typed[ArchiveRecord::Conc];
    const QString& season = typed[ArchiveRecord::Anno];
    if (mode == QLatin1String(Modify))
        return QStringLiteral("Archivio - Modifica Colonna ") + contest + QStringLiteral(" del ") +
               season;
    if (mode == QLatin1String(Delete))
        return QStringLiteral("Archivio - Cancella Colonna ") + contest + QStringLiteral(" del ") +
               season;
    if (mode == QLatin1String(New))
        return QStringLiteral("Archivio - Nuova Colonna ") + QString::number(recordCount + 1);
    return QStringLiteral("Archivio");
}

} // namespace RecordEditorLogic
