#include "app/ui/ToolbarIcons.h"

#include <array>

// Resources of a static library are registered by hand; outside any namespace, as the macro
// declares a global function.
static void registerIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

struct Picture {
    const char* command;
    const char* file;  // in the icons resource, without ".svg"
    const char* theme; // freedesktop icon name, or nullptr
};

constexpr std::array Pictures = {
    Picture{"tmNuovo", "document-new", "document-new"},
    Picture{"tmApri", "document-open", "document-open"},
    Picture{"tmSalva", "document-save", "document-save"},
    Picture{"tmStampaPro", "document-print", "document-print"},
    Picture{"tmStCompl", "stampa-prospetto-colonne", nullptr},
    Picture{"tmRidotto", "stampa-colonne", nullptr},
    Picture{"tmSchedine", "schedine", nullptr},
    Picture{"tmConcData", "concorso-data", nullptr},
    Picture{"tmIncontri", "incontri", nullptr},
    Picture{"tmPronostico", "pronostico", nullptr},
    Picture{"tmSegni", "segni", nullptr},
    Picture{"tmInt", "interruzioni", nullptr},
    Picture{"tmSim", "simmetrie", nullptr},
    Picture{"tmPar", "paralleli", nullptr},
    Picture{"tmParP3", "paralleli-passo3", nullptr},
    Picture{"tmSequele", "sequele", nullptr},
    Picture{"tmCondAvanzate", "condizioni-avanzate", nullptr},
    Picture{"tmElabora", "elabora", nullptr},
    Picture{"tmAccorpa", "accorpa", nullptr},
    Picture{"tmDisaccorpa", "disaccorpa", nullptr},
    Picture{"tmDetta", "detta", nullptr},
    Picture{"tmConColRid", "spoglio", nullptr},
    Picture{"tmProprieta", "proprieta", nullptr},
    Picture{"tmVediColRid", "vedi-ridotto", nullptr},
    Picture{"tmVediColInt", "vedi-integrale", nullptr},
    Picture{"tmAggiungiCol", "archivio", nullptr},
    Picture{"tmStatistiche", "statistiche", nullptr},
    Picture{"tmAbout", "help-about", "help-about"},
    Picture{"mnuEsci", "application-exit", "application-exit"},
};

const Picture* pictureOf(const QString& command)
{
    for (const Picture& picture : Pictures) {
        if (command == QLatin1String(picture.command))
            return &picture;
    }
    return nullptr;
}

} // namespace

namespace ToolbarIcons {

QString fileFor(const QString& command)
{
    static const bool registered = (registerIcons(), true);
    Q_UNUSED(registered);
    const Picture* picture = pictureOf(command);
    return picture ? QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture->file)) : QString();
}

QString themeNameFor(const QString& command)
{
    const Picture* picture = pictureOf(command);
    return picture && picture->theme ? QLatin1String(picture->theme) : QString();
}

QIcon iconFor(const QString& command)
{
    const QString file = fileFor(command);
    if (file.isEmpty())
        return {};
    const QIcon drawn(file);
    const QString theme = themeNameFor(command);
    return theme.isEmpty() ? drawn : QIcon::fromTheme(theme, drawn);
}

QIcon applicationIcon()
{
    return QIcon(fileFor(QStringLiteral("tmSchedine")));
}

} // namespace ToolbarIcons
