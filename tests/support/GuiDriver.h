#pragma once

// Header-only: the support library does not link the window modules, the GUI tests that include
// this do.
#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "document/SystemFiles.h"
#include "platform/ProgressReporter.h"
#include "session/Session.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Drives the windows as the user does: finds controls by name, types into them by keys, clicks
// them, and acts on modal windows from inside their event loop.

template <typename T = QWidget> T* child(const QObject* parent, const QString& name)
{
    T* widget = parent->findChild<T*>(name);
    if (!widget)
        qWarning("no child %s", qPrintable(name));
    return widget;
}

// What a named control shows: the text of a label, box, button or combo box, else the title.
inline QString textOf(const QObject* parent, const QString& name)
{
    const QObject* control = child<QObject>(parent, name);
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    const auto* widget = qobject_cast<const QWidget*>(control);
    return widget ? widget->windowTitle() : QStringLiteral("<missing %1>").arg(name);
}

// The texts of the controls named in `names` (separated by blanks), joined by '|'.
inline QString textsOf(const QObject* parent, const QString& names)
{
    QStringList texts;
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts))
        texts << textOf(parent, name);
    return texts.join(u'|');
}

// The names among `names` (separated by blanks) whose controls are visible.
inline QString visibleOf(const QObject* parent, const QString& names)
{
    QStringList visible;
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        const QWidget* widget = child(parent, name);
        if (widget && widget->isVisible())
            visible << name;
    }
    return visible.join(u' ');
}

// Replaces a box's text by typing: select all, then the keys (Backspace when there are none).
inline void typeInto(QWidget* box, const QString& keys)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (keys.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, keys);
}

inline void clickOn(const QObject* window, const QString& name)
{
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
}

// Shows a window as the active one.
inline bool activate(QWidget* window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Acts on a modal window as soon as it opens: polls from the event loop until the active modal
// widget carries `objectName`, then runs `act` on it (which must close it). Gives up after a few
// seconds, closing whatever modal window is open, so that the test fails on its own checks
// rather than hanging.
inline void whenModal(const QString& objectName, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && modal->objectName() == objectName;
        if (!found && clock->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        if (found) {
            const QPointer<QWidget> open(modal);
            act(modal);
            // A check that failed inside `act` left early: the window goes, so that the test
            // fails instead of waiting on it.
            if (QTest::currentTestFailed() && open && open->isVisible())
                open->close();
            return;
        }
        qWarning("No modal window %s opened", qPrintable(objectName));
        if (modal)
            modal->close();
    });
    timer->start();
}

// Runs `act`, closing any modal window that opens meanwhile; true when one did.
inline bool modalOpenedDuring(const std::function<void()>& act)
{
    bool opened = false;
    QTimer guard;
    guard.setInterval(10);
    QObject::connect(&guard, &QTimer::timeout, &guard, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    guard.start();
    act();
    guard.stop();
    return opened;
}

// Runs `note` at every step of the progress bar (the moment a window shows it), and keeps the
// maxima the bar was given.
struct WatchingProgress final : ProgressReporter {
    std::function<void(int)> note;
    QList<int> maxima;
    void setRange(int, int maximum) override { maxima.append(maximum); }
    void setValue(int value) override
    {
        if (note)
            note(value);
    }
};

// A session on a fresh application folder, its questions answered from a script; a scripted
// answer left over fails the test. start() runs the program over it with its main window.
struct StartedProgram {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<Session> session = std::make_unique<Session>(dir.path(), prompts);
    std::unique_ptr<MainWindow> window;

    ~StartedProgram()
    {
        window.reset();
        if (!QTest::currentTestFailed())
            QVERIFY2(prompts.allConsumed(), "a scripted prompt was not shown");
    }
    SystemDocument& document() { return session->document(); }
    QString systems() const { return session->systemsFolder(); }
    QAction* command(const char* name) const { return window->command(QLatin1String(name)); }
    // Whether the last message shown was a warning with this caption.
    bool warned(const QString& title = QStringLiteral("Prova")) const
    {
        return prompts.lastMessage().icon == MessageIcon::Exclamation &&
               prompts.lastMessage().title == title;
    }

    // Settings at their dialog defaults (with this column cost when given), no teams, the main
    // window shown and started.
    void start(const QString& columnCost = {})
    {
        AppFolder::prepare(dir.path());
        session->options() = Options::dialogDefaults(session->defaultSystemsFolder());
        if (!columnCost.isEmpty())
            session->options()[Options::ColumnCost] = columnCost;
        session->writeOptions();
        session->writeTeams({});
        showWindow();
        window->startUp(false);
    }
    // Opens a system of these signs whose reduced columns are `reduced` and then the first
    // `integral` columns of the integral system, its commands following it.
    void prepare(const QStringList& signs, const QList<QByteArray>& reduced, int integral = 0)
    {
        document() = TestSystems::withPrediction(signs);
        document().WorkColumns = TestSystems::columnsOf(reduced);
        for (int i = 0; i < integral; ++i)
            document().WorkColumns.append(document().IntegralColumns.column(i));
        document().ReducedCount = qint32(document().WorkColumns.count());
        for (const auto rule : {CommandRule::MatchesConfirmed, CommandRule::PredictionConfirmed,
                                CommandRule::ReductionConfirmed})
            session->applyRule(rule);
        session->refreshStatus();
    }
    // Saves `system` in the systems folder and opens it through Apri.
    void openSaved(SystemDocument system)
    {
        QVERIFY(SystemFiles::save(system, systems()));
        prompts.expectOpenFile(
            QDir(systems()).filePath(system.SystemName + QStringLiteral(".pro")));
        window->runCommand(QStringLiteral("mnuApri"));
        QVERIFY(prompts.allConsumed());
    }
    void showWindow()
    {
        window = std::make_unique<MainWindow>(*session);
        window->show();
    }
    // Opens a dialog on the session, in `mode` when one is given, as the active window.
    template <typename Dialog> std::unique_ptr<Dialog> open(const QString& mode = {})
    {
        if (!mode.isEmpty())
            session->DialogMode = mode;
        auto dialog = std::make_unique<Dialog>(*session);
        if (!activate(dialog.get()))
            qWarning("the dialog did not become active");
        return dialog;
    }
};
