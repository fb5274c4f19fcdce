#include "app/ui/QuadrigoApplication.h"

#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "platform/MemoryTuning.h"
#include "platform/ui/QtUserPrompts.h"
#include "session/Session.h"

#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

QuadrigoApplication::QuadrigoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("QUADRIGO 13"));
    setOrganizationName(QStringLiteral("Quadrigo13"));
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

int QuadrigoApplication::run()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sistemi condizionati per il concorso pronostici a 13 partite."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folderOption(
        QStringLiteral("app-folder"),
        QStringLiteral("Cartella del programma: impostazioni, archivi e cartella Sistemi."),
        QStringLiteral("CARTELLA"));
    const QCommandLineOption noSplashOption(QStringLiteral("no-splash"),
                                            QStringLiteral("Avvio senza la finestra iniziale."));
    parser.addOption(folderOption);
    parser.addOption(noSplashOption);
    // --help and --version print and end the program here, before any folder is touched.
    parser.process(*this);

    const QString appFolder = AppFolder::resolve(parser.value(folderOption), applicationDirPath());
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
    const bool splash = !parser.isSet(noSplashOption);
    QTimer::singleShot(0, m_window.get(), [this, splash] { m_window->startUp(splash); });
    return exec();
}
