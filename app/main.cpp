#include "CTobrelApp.h"

int main(int argc, char *argv[])
{
    CTobrelApp app(argc, argv);
    if (!app.InitInstance())
        return 0;
    return app.exec();
}
