#pragma once

#include "session/ui/CommandHost.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class BarProgress;
class QAction;
class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QToolBar;
class PredictionSummaryWindow;
class Session;
class StatusPanels;

// frmQUADRIGO: menus, toolbar, the two status bars and the progress bar; every command is
// dispatched from here to the window or session operation that carries it out.
class MainWindow final : public QMainWindow, public CommandHost {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)
public:
    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    QAction* command(const QString& name) const { return m_actions.value(name); }
    StatusPanels* integralStatus() const { return m_integralStatus; }
    StatusPanels* reducedStatus() const { return m_reducedStatus; }
    QProgressBar* progressBar() const { return m_progressBar; }
    QMdiArea* mdiArea() const override { return m_mdiArea; }

    void placeDialog(QWidget* dialog) const override;
    // Runs a command by name, as its menu item or button would.
    void runCommand(const QString& name) override;
    void setHandler(const QString& name, std::function<void()> handler) override;
    Session& session() override { return m_session; }
    QWidget* hostWidget() override { return this; }

    // Shows the window where and as large as it was when the program last ended, else
    // maximised; from then on its place is kept in the application folder when it closes.
    void showAtRememberedPlace();
    // Keeps the window's place for the next start; done as the program ends.
    void rememberPlace();
    static QString placeFileName() { return QStringLiteral("Finestra.sys"); }

    // The start-up sequence after the window is shown: splash, settings files (or their
    // dialogs when missing), database compaction.
    void startUp(bool showSplash);
    // Opens the system named on the command line, as Open does with a chosen file.
    void openSystemFile(const QString& path);

    // Start-up dialogs when the settings files are missing.
    void openOptionsDialog();
    void openTeamsDialog();
    void openMatchesDialog();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Sub-windows of every feature are fitted to their caption and yield the command keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBars();
    void registerHandlers();
    void updateAvailability();
    void syncCommands();
    void refreshStatusBars();
    void refreshPrinterPanel();
    void rebuildWindowMenu();
    void printerSetup();
    void showAbout();
    void showSplashWindow();
    // The properties window after Open, when the options ask for it.
    void showPropertiesAfterOpen();
    void adoptSubWindow(QMdiSubWindow* window);
    // Moves a sub-window to `wanted`, or below the sub-windows it would cover there.
    void placeClear(QMdiSubWindow* window, QPoint wanted);
    void openPredictionDialog();
    void openContestDialog();
    // frmPROCOND at its remembered place (top 3100, left 100 twips), or closed.
    void showPredictionSummary(bool visible);
    // Opens a modal dialog placed by the rule.
    int execDialog(QDialog* dialog);

    Session& m_session;
    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolbar = nullptr;
    StatusPanels* m_integralStatus = nullptr;
    StatusPanels* m_reducedStatus = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QMenu* m_windowMenu = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, std::function<void()>> m_handlers;
    QPointer<QWidget> m_predictionDialog;
    QPointer<PredictionSummaryWindow> m_predictionSummary;
    std::unique_ptr<BarProgress> m_progress;
    bool m_remembersPlace = false;
};
