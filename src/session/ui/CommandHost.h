#pragma once

#include <QString>

#include <functional>

class QMdiArea;
class QWidget;
class Session;

// What a feature needs of the main window to offer its commands: the session, a parent and a
// place for its windows, and a way to give a command its handler. Features see only this, so
// none of them depends on the main window.
class CommandHost {
public:
    virtual ~CommandHost() = default;

    virtual Session& session() = 0;
    // Parent of the feature's dialogs and windows.
    virtual QWidget* hostWidget() = 0;
    virtual QMdiArea* mdiArea() const = 0;
    // Centres a dialog on the main window, 1100 twips above the middle.
    virtual void placeDialog(QWidget* dialog) const = 0;
    // Gives a command its handler; commands without one stay disabled.
    virtual void setHandler(const QString& name, std::function<void()> handler) = 0;
    // Runs a command as its menu item would, when it is enabled.
    virtual void runCommand(const QString& name) = 0;
};
