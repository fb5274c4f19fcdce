#include "app/ui/QuadrigoApplication.h"

int main(int argc, char* argv[])
{
    QuadrigoApplication app(argc, argv);
    return app.run();
}
