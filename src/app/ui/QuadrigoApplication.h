#pragma once

#include <QApplication>

// The program: parses the command line, fixes the application folder and runs the main window.
class QuadrigoApplication final : public QApplication {
    Q_OBJECT
public:
    QuadrigoApplication(int& argc, char** argv);
    int run();
};
