#pragma once

#include <QApplication>

// The application object: start-up, the main window, the application-level commands.
class CTobrelApp : public QApplication
{
    Q_OBJECT
public:
    CTobrelApp(int &argc, char **argv);

    bool InitInstance();
};
