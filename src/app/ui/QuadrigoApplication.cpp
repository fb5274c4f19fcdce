#include "app/ui/QuadrigoApplication.h"

#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "platform/MemoryTuning.h"
#include "platform/ui/QtUserPrompts.h"
#include "session/Session.h"

#include <QTimer>

QuadrigoApplication::QuadrigoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("QUADRIGO 13"));
    setOrganizationName(QStringLiteral("Quadrigo13"));
    setApplicationVersion(QStringLiteral("%1.%2.%3")
                              .arg(QUADRIGO_VERSION_MAJOR)
                              .arg(QUADRIGO_VERSION_MINOR)
                              .arg(QUADRIGO_VERSION_PATCH));
}

QuadrigoApplication::~QuadrigoApplication()
{
    m_window.reset();
    m_session.reset();
}

int QuadrigoApplication::run()
{
    const QStringList arguments = QApplication::arguments();
    const QString appFolder = AppFolder::resolve(arguments, applicationDirPath());
    AppFolder::prepare(appFolder);

    m_prompts = std::make_unique<QtUserPrompts>();
    m_session = std::make_unique<Session>(appFolder, *m_prompts);
    m_window = std::make_unique<MainWindow>(*m_session);
    m_prompts->setParent(m_window.get());
    m_window->show();
    const bool splash = !arguments.contains(QStringLiteral("--no-splash"));
    QTimer::singleShot(0, m_window.get(), [this, splash] { m_window->startUp(splash); });
    return exec();
}
