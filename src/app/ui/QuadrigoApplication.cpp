#include "app/ui/QuadrigoApplication.h"

QuadrigoApplication::QuadrigoApplication(int& argc, char** argv)
    : QApplication(argc, argv) {}

int QuadrigoApplication::run() {
    return 0;
}
