#pragma once

// Header-only: the support library does not link the window modules, the GUI tests that include
// this do.
#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "session/Session.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QTemporaryDir>

#include <memory>

// A started program on an application folder that already has its settings: options at their
// dialog defaults (the column cost replaced when given), no teams, the main window shown.
struct StartedProgram {
    struct Settings {
        QString columnCost;
    };

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;

    explicit StartedProgram(const Settings& settings = {})
    {
        AppFolder::prepare(dir.path());
        session = std::make_unique<Session>(dir.path(), prompts);
        session->options() = Options::dialogDefaults(session->defaultSystemsFolder());
        if (!settings.columnCost.isEmpty())
            session->options()[Options::ColumnCost] = settings.columnCost;
        session->writeOptions();
        session->writeTeams({});
        window = std::make_unique<MainWindow>(*session);
        window->show();
        window->startUp(false);
    }

    QString systems() const { return session->systemsFolder(); }
    QAction* command(const char* name) const { return window->command(QLatin1String(name)); }

    // Runs a command that must not open any window; true when one opened (and was closed).
    bool runWithoutWindow(const char* name)
    {
        return modalOpenedDuring([this, name] { window->runCommand(QLatin1String(name)); });
    }
};
