#include "app/ui/QuadrigoApplication.h"

#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "platform/MemoryTuning.h"
#include "platform/ui/QtUserPrompts.h"
#include "session/Session.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

QuadrigoApplication::QuadrigoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("QUADRIGO 13"));
    setOrganizationName(QStringLiteral("Quadrigo13"));
    // Lets a Wayland desktop match the windows to the installed menu entry and its icon.
    setDesktopFileName(QStringLiteral("example.quadrigo13.Quadrigo13"));
    setApplicationVersion(QStringLiteral("%1.%2.%3")
                              .arg(QUADRIGO_VERSION_MAJOR)
                              .arg(QUADRIGO_VERSION_MINOR)
                              .arg(QUADRIGO_VERSION_PATCH));
    installQtTranslations();
}

bool QuadrigoApplication::installQtTranslations()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    const bool loaded =
        translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    return loaded;
}

QuadrigoApplication::~QuadrigoApplication()
{
    m_window.reset();
    m_session.reset();
}

QuadrigoApplication::StartOptions
QuadrigoApplication::parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sistemi condizionati per il concorso pronostici a 13 partite."));
    // Qt's own help option would describe itself in English.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Mostra questo aiuto."));
    parser.addOption(helpOption);
    parser.addVersionOption();
    const QCommandLineOption folderOption(
        QStringLiteral("app-folder"),
        QStringLiteral("Cartella del programma: impostazioni, archivi e cartella Sistemi."),
        QStringLiteral("CARTELLA"));
    const QCommandLineOption noSplashOption(QStringLiteral("no-splash"),
                                            QStringLiteral("Avvio senza la finestra iniziale."));
    parser.addOption(folderOption);
    parser.addOption(noSplashOption);
    parser.addPositionalArgument(QStringLiteral("SISTEMA.pro"),
                                 QStringLiteral("Il Pronostico da aprire all'avvio."),
                                 QStringLiteral("[SISTEMA.pro]"));
    parser.process(arguments);
    if (parser.isSet(helpOption))
        parser.showHelp();

    StartOptions options;
    options.appFolder = parser.value(folderOption);
    options.splash = !parser.isSet(noSplashOption);
    const QStringList systems = parser.positionalArguments();
    if (systems.size() > 1)
        options.error = QStringLiteral("Indicare un solo Pronostico (.pro) !");
    else if (!systems.isEmpty())
        options.systemFile = QFileInfo(systems.first()).absoluteFilePath();
    return options;
}

int QuadrigoApplication::run()
{
    const StartOptions start = parseCommandLine(arguments());
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(start.error));
        return 1;
    }

    const QString appFolder = AppFolder::resolve(start.appFolder, applicationDirPath());
    m_prompts = std::make_unique<QtUserPrompts>();
    QString error;
    if (!AppFolder::prepare(appFolder, &error)) {
        m_prompts->message({MessageIcon::Critical, QStringLiteral("QUADRIGO 13"), error});
        return 1;
    }
    m_session = std::make_unique<Session>(appFolder, *m_prompts);
    m_window = std::make_unique<MainWindow>(*m_session);
    m_prompts->setParent(m_window.get());
    m_window->showAtRememberedPlace();
    QTimer::singleShot(0, m_window.get(), [this, start] {
        m_window->startUp(start.splash);
        if (!start.systemFile.isEmpty())
            m_window->openSystemFile(start.systemFile);
    });
    return exec();
}
