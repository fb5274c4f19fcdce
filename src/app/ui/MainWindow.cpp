#include "app/ui/MainWindow.h"

#include "app/AppFolder.h"
#include "app/CommandTable.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/SplashWindow.h"
#include "app/ui/ToolbarIcons.h"
#include "archive/ui/ArchiveCommands.h"
#include "conditions/ui/ConditionCommands.h"
#include "document/StatusTexts.h"
#include "document/ui/ContestDialog.h"
#include "document/ui/MatchesDialog.h"
#include "document/ui/OptionsDialog.h"
#include "document/ui/PredictionDialog.h"
#include "document/ui/PredictionSummaryWindow.h"
#include "document/ui/TeamsDialog.h"
#include "output/ui/OutputCommands.h"
#include "platform/ColumnDatabase.h"
#include "platform/SafeFile.h"
#include "platform/Twips.h"
#include "platform/UserPrompts.h"
#include "platform/ui/BarProgress.h"
#include "platform/ui/PrinterChoice.h"
#include "platform/ui/StatusPanels.h"
#include "platform/ui/WindowSizing.h"
#include "reports/ui/ReportCommands.h"
#include "session/Session.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Sub-windows keep this far apart when one is moved clear of another.
constexpr int WindowGap = 6;

} // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmQUADRIGO"));
    setWindowTitle(m_session.caption());
    // The program's own icon on every window, the floating ones included, rather than Qt's.
    QApplication::setWindowIcon(ToolbarIcons::applicationIcon());
    resize(1000, 720);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->viewport()->installEventFilter(this);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);

    buildMenus();
    buildToolbar();
    buildStatusBars();
    layout->addWidget(m_reducedStatus);
    layout->addWidget(m_integralStatus);
    layout->addWidget(m_progressBar);
    m_progress = std::make_unique<BarProgress>(m_progressBar);
    m_session.setProgress(m_progress.get());

    registerHandlers();
    installConditionCommands(*this);
    installOutputCommands(*this);
    installArchiveCommands(*this);
    installReportCommands(*this);

    connect(&m_session, &Session::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_session, &Session::commandsChanged, this, &MainWindow::syncCommands);
    connect(&m_session, &Session::statusChanged, this, &MainWindow::refreshStatusBars);
    connect(&m_session, &Session::mergeCaptionChanged, this, [this](const QString& caption) {
        m_actions.value(QStringLiteral("mnuAccorpa"))->setText(caption);
    });
    connect(&m_session, &Session::conditionsSummaryRequested, this,
            &MainWindow::showPredictionSummary);
    connect(&PrinterChoice::instance(), &PrinterChoice::changed, this,
            &MainWindow::refreshPrinterPanel);

    syncCommands();
    refreshStatusBars();
}

MainWindow::~MainWindow()
{
    m_session.setProgress(nullptr);
}

void MainWindow::buildMenus()
{
    const auto entries = CommandTable::menuEntries();
    QSet<QString> menuNames;
    for (const CommandEntry& entry : entries) {
        if (entry.parent)
            menuNames.insert(QLatin1String(entry.parent));
    }
    for (const CommandEntry& entry : entries) {
        const QString name = QLatin1String(entry.name);
        const QString caption = QString::fromUtf8(entry.caption);
        QMenu* parentMenu = entry.parent ? m_menus.value(QLatin1String(entry.parent)) : nullptr;
        if (name == QLatin1String("-")) {
            parentMenu->addSeparator();
            continue;
        }
        if (menuNames.contains(name)) {
            auto* menu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
            m_menus.insert(name, menu);
            m_actions.insert(name, menu->menuAction());
            continue;
        }
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        if (entry.shortcut)
            action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
        parentMenu->addAction(action);
        m_actions.insert(name, action);
        connect(action, &QAction::triggered, this, [this, name] { runCommand(name); });
    }
    // Finestra also lists the open child windows.
    m_windowMenu = m_menus.value(QStringLiteral("mnuFinestra"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildWindowMenu);

    m_actions.value(QStringLiteral("mnuEsci"))
        ->setIcon(ToolbarIcons::iconFor(QStringLiteral("mnuEsci")));

    QAction* toolbarToggle = m_actions.value(QStringLiteral("mnuToolBar"));
    toolbarToggle->setCheckable(true);
    toolbarToggle->setChecked(true);
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("BarraStrumenti"));
    m_toolbar->setObjectName(QStringLiteral("BarraStrumenti"));
    m_toolbar->setMovable(false);
    m_toolbar->toggleViewAction()->setVisible(false);
    for (const CommandEntry& entry : CommandTable::toolbarEntries()) {
        const QString name = QLatin1String(entry.name);
        if (name == QLatin1String("-")) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString tip = QString::fromUtf8(entry.caption);
        auto* action = new QAction(ToolbarIcons::iconFor(name), tip, this);
        action->setObjectName(name);
        action->setToolTip(tip);
        m_toolbar->addAction(action);
        if (QWidget* button = m_toolbar->widgetForAction(action))
            button->setObjectName(name + QStringLiteral("Button"));
        m_actions.insert(name, action);
        const QString target = entry.menuTwin ? QLatin1String(entry.menuTwin) : name;
        connect(action, &QAction::triggered, this, [this, target] { runCommand(target); });
    }
}

void MainWindow::buildStatusBars()
{
    m_integralStatus = new StatusPanels(QStringLiteral("BarraStato"), 6, this);
    m_integralStatus->setPanelText(1, QStringLiteral("Sistema INTEGRALE"));
    connect(m_integralStatus, &StatusPanels::panelClicked, this, [this](int panel) {
        if (panel == 6)
            runCommand(QStringLiteral("mnuImposta"));
    });
    m_reducedStatus = new StatusPanels(QStringLiteral("BarraStatoRid"), 8, this);
    m_reducedStatus->setPanelText(1, QStringLiteral("Sistema CONDIZIONATO"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("BarraAttesa"));
    m_progressBar->setTextVisible(false);
    m_progressBar->setMaximumHeight(12);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
}

void MainWindow::registerHandlers()
{
    const auto on = [this](const char* name, std::function<void()> handler) {
        m_handlers.insert(QLatin1String(name), std::move(handler));
    };
    on("mnuNuovo", [this] {
        if (m_session.newSystem())
            openMatchesDialog();
    });
    on("mnuApri", [this] {
        if (m_session.open())
            showPropertiesAfterOpen();
    });
    on("mnuSalva", [this] { m_session.save(); });
    on("mnuSalvaCome", [this] { m_session.saveAs(); });
    on("mnuImposta", [this] { printerSetup(); });
    on("mnuEsci", [this] {
        if (!m_session.confirmExit())
            return;
        rememberPlace();
        QApplication::exit(0);
    });
    on("mnuConcData", [this] { openContestDialog(); });
    on("mnuIncontri", [this] { openMatchesDialog(); });
    on("mnuPronostico", [this] { openPredictionDialog(); });
    on("mnuQuote", [this] {
        m_session.shares();
        refreshStatusBars();
        m_actions.value(QStringLiteral("mnuQuote"))
            ->setText(QStringLiteral("&Quote (%1)").arg(m_session.document().Quote));
    });
    on("mnuSquadre", [this] { openTeamsDialog(); });
    on("mnuApplicazione", [this] { openOptionsDialog(); });
    on("mnuToolBar", [this] {
        m_toolbar->setVisible(m_actions.value(QStringLiteral("mnuToolBar"))->isChecked());
    });
    on("mnuAbout", [this] { showAbout(); });

    updateAvailability();
}

void MainWindow::setHandler(const QString& name, std::function<void()> handler)
{
    m_handlers.insert(name, std::move(handler));
    updateAvailability();
    syncCommands();
}

void MainWindow::updateAvailability()
{
    // Commands whose windows the program does not offer yet stay disabled.
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (m_menus.contains(it.key()))
            continue;
        QString target = it.key();
        for (const CommandEntry& entry : CommandTable::toolbarEntries()) {
            if (it.key() == QLatin1String(entry.name) && entry.menuTwin)
                target = QLatin1String(entry.menuTwin);
        }
        m_session.commands().setAvailable(it.key(), m_handlers.contains(target));
    }
}

void MainWindow::runCommand(const QString& name)
{
    const QAction* action = m_actions.value(name);
    if (action && !action->isEnabled())
        return;
    const auto handler = m_handlers.constFind(name);
    if (handler != m_handlers.cend())
        (*handler)();
}

void MainWindow::syncCommands()
{
    const CommandState& state = m_session.commands();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(state.isEnabled(it.key()));
        if (it.key().startsWith(QLatin1String("tm")))
            it.value()->setVisible(state.isVisible(it.key()));
    }
}

void MainWindow::refreshStatusBars()
{
    const SystemDocument& document = m_session.document();
    const double cost = m_session.options().columnCost();
    const auto integral = StatusTexts::integralPanels(document, cost);
    for (int i = 0; i < 4; ++i)
        m_integralStatus->setPanelText(i + 2, integral[i]);
    refreshPrinterPanel();

    const StatusTexts::ReducedStatus reduced = StatusTexts::reducedStatus(document, cost);
    m_reducedStatus->setVisible(reduced.hasReduced);
    for (int i = 0; i < 7; ++i)
        m_reducedStatus->setPanelText(i + 2, reduced.panels[i]);
    if (reduced.hasReduced)
        m_actions.value(QStringLiteral("mnuQuote"))->setText(reduced.sharesCaption);
}

void MainWindow::refreshPrinterPanel()
{
    m_integralStatus->setPanelText(6, PrinterChoice::instance().printerName());
}

void MainWindow::rebuildWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_actions.value(QStringLiteral("mnuAbout")));
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (!windows.isEmpty())
        m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* item = m_windowMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == m_mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, window,
                [this, window] { m_mdiArea->setActiveSubWindow(window); });
    }
}

void MainWindow::placeDialog(QWidget* dialog) const
{
    constexpr int Lift = Twips::toPixels(1100);
    WindowSizing::fitContent(dialog);
    WindowSizing::fitCaption(dialog);
    const QPoint origin = geometry().topLeft();
    dialog->move(origin.x() + width() / 2 - dialog->width() / 2,
                 std::max(0, origin.y() + height() / 2 - dialog->height() / 2 - Lift));
}

int MainWindow::execDialog(QDialog* dialog)
{
    placeDialog(dialog);
    const int result = dialog->exec();
    delete dialog;
    return result;
}

void MainWindow::showAtRememberedPlace()
{
    m_remembersPlace = true;
    QFile file(m_session.appFilePath(placeFileName()));
    if (file.open(QIODevice::ReadOnly) &&
        restoreGeometry(QByteArray::fromBase64(file.readAll().trimmed()))) {
        show();
        return;
    }
    // Un-maximised, it keeps most of the screen.
    if (const QScreen* screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        resize(free.size() * 9 / 10);
        move(free.center() - rect().center());
    }
    showMaximized();
}

void MainWindow::rememberPlace()
{
    if (!m_remembersPlace)
        return;
    // Losing the place is no reason to stop the program from ending: a failed write is dropped.
    SafeFile file(m_session.appFilePath(placeFileName()));
    if (file.open() && file.write(saveGeometry().toBase64() + "\r\n"))
        file.commit();
}

void MainWindow::startUp(bool showSplash)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (showSplash)
        showSplashWindow();
    m_session.resetDocument();
    const bool hasOptions = m_session.loadOptions();
    const bool hasTeams = m_session.loadTeams();
    QApplication::restoreOverrideCursor();
    if (!hasOptions)
        openOptionsDialog();
    if (!hasTeams)
        openTeamsDialog();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session.resetDocument();
    QStringList problems = ColumnDatabase::compactDatabases(m_session.appFolder());
    Q_INIT_RESOURCE(sounds);
    problems += AppFolder::installSounds(
        m_session.appFolder(), AppFolder::soundsFolder(QCoreApplication::applicationDirPath()));
    QApplication::restoreOverrideCursor();
    if (!problems.isEmpty())
        m_session.prompts().warn(QLatin1String(Session::AppTitle),
                                 problems.join(QLatin1Char('\n')));
    showEnablingWindow(*this);
}

void MainWindow::openSystemFile(const QString& path)
{
    if (m_session.openFile(path))
        showPropertiesAfterOpen();
}

void MainWindow::showPropertiesAfterOpen()
{
    if (m_session.options()[Options::ShowPropertiesOnOpen] != QLatin1String("S"))
        return;
    // Every window shows the opened system, drawn, before the properties window takes over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (const auto properties = m_handlers.constFind(QStringLiteral("mnuProprieta"));
        properties != m_handlers.cend())
        (*properties)();
}

void MainWindow::showSplashWindow()
{
    SplashWindow splash(this);
    splash.exec();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mdiArea->viewport() && event->type() == QEvent::ChildPolished) {
        if (auto* window = qobject_cast<QMdiSubWindow*>(static_cast<QChildEvent*>(event)->child()))
            adoptSubWindow(window);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::adoptSubWindow(QMdiSubWindow* window)
{
    WindowSizing::fitCaption(window);
    // A sub-window's menu brings its own keys (Ctrl+W closes it); the command table's keys
    // come first, so the sub-window gives up those it shares with a command.
    QSet<QKeySequence> commandKeys;
    for (const QAction* action : std::as_const(m_actions)) {
        if (!action->shortcut().isEmpty())
            commandKeys.insert(action->shortcut());
    }
    if (!window->systemMenu())
        return;
    for (QAction* item : window->systemMenu()->actions()) {
        QList<QKeySequence> keys = item->shortcuts();
        const auto taken = std::remove_if(keys.begin(), keys.end(), [&](const QKeySequence& key) {
            return commandKeys.contains(key);
        });
        if (taken != keys.end()) {
            keys.erase(taken, keys.end());
            item->setShortcuts(keys);
        }
    }
}

void MainWindow::placeClear(QMdiSubWindow* window, QPoint wanted)
{
    // Moved down past every sub-window it would cover, as many times as it takes.
    QRect place(wanted, window->size());
    for (bool moved = true; moved;) {
        moved = false;
        for (const QMdiSubWindow* other : m_mdiArea->subWindowList()) {
            if (other == window || !other->isVisible() || !other->geometry().intersects(place))
                continue;
            place.moveTop(other->geometry().bottom() + 1 + WindowGap);
            moved = true;
        }
    }
    window->move(place.topLeft());
}

void MainWindow::printerSetup()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session.prompts().printerSetup();
    refreshPrinterPanel();
    QApplication::restoreOverrideCursor();
}

void MainWindow::showAbout()
{
    execDialog(new AboutDialog(this));
}

void MainWindow::openOptionsDialog()
{
    execDialog(new OptionsDialog(m_session, this));
    refreshStatusBars();
}

void MainWindow::openTeamsDialog()
{
    execDialog(new TeamsDialog(m_session, this));
}

void MainWindow::openMatchesDialog()
{
    execDialog(new MatchesDialog(m_session, this));
}

void MainWindow::openContestDialog()
{
    execDialog(new ContestDialog(m_session, this));
}

void MainWindow::openPredictionDialog()
{
    if (m_predictionDialog) {
        m_predictionDialog->raise();
        m_predictionDialog->activateWindow();
        return;
    }
    auto* dialog = new PredictionDialog(m_session, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &PredictionDialog::conditionsSummaryRequested, this,
            [this] { showPredictionSummary(true); });
    m_predictionDialog = dialog;
    placeDialog(dialog);
    dialog->show();
}

void MainWindow::showPredictionSummary(bool visible)
{
    if (!visible) {
        // The closed window is deleted later: Open closes and reopens it in one go, and the
        // reopening must build a new one rather than show the one on its way out.
        if (QPointer<PredictionSummaryWindow> closing = std::exchange(m_predictionSummary, {}))
            closing->parentWidget()->close();
        return;
    }
    if (!m_predictionSummary) {
        auto* summary = new PredictionSummaryWindow(m_session.document());
        QMdiSubWindow* window = m_mdiArea->addSubWindow(summary);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->adjustSize();
        WindowSizing::fitCaption(window);
        placeClear(window, QPoint(Twips::toPixels(100), Twips::toPixels(3100)));
        m_predictionSummary = summary;
    }
    m_predictionSummary->parentWidget()->show();
    m_predictionSummary->refresh();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing through the frame ends the program without questions.
    rememberPlace();
    event->accept();
    QApplication::exit(0);
}
