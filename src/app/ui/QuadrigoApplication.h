#pragma once

#include <QApplication>

#include <memory>

class MainWindow;
class QtUserPrompts;
class Session;

// The program: fixes the application folder, builds the session and the main window, and runs
// the start-up sequence. Options: --app-folder DIR, --no-splash, --help, --version, and a
// system (.pro) to open once the program has started.
class QuadrigoApplication final : public QApplication {
    Q_OBJECT
public:
    struct StartOptions {
        QString appFolder; // as given with --app-folder, else empty
        bool splash = true;
        QString systemFile; // absolute, else empty
        QString error;      // in Italian when the command line cannot be followed
    };
    // --help and --version print and end the program here, as does an unknown option.
    static StartOptions parseCommandLine(const QStringList& arguments);

    QuadrigoApplication(int& argc, char** argv);
    ~QuadrigoApplication() override;
    int run();

    // Qt's own dialogs and buttons in Italian, from the translations Qt is installed with;
    // false when they are not installed.
    static bool installQtTranslations();

private:
    std::unique_ptr<QtUserPrompts> m_prompts;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<MainWindow> m_window;
};
