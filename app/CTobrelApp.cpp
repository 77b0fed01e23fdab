#include "CTobrelApp.h"

CTobrelApp::CTobrelApp(int &argc, char **argv) : QApplication(argc, argv) {}

bool CTobrelApp::InitInstance()
{
    return true;
}
