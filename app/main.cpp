#include "CTobrelApp.h"
#include "DataFolder.h"
#include "ShutdownSignals.h"

int main(int argc, char *argv[])
{
    ShutdownSignals::installHandlers();
    if (!DataFolder::enterIfAsked(argc, argv))
        return 1;
    if (const auto exitCode = CTobrelApp::HandleInformationOptions(argc, argv))
        return *exitCode;
    CTobrelApp app(argc, argv);
    if (!app.InitInstance())
        return app.ExitCode();
    return app.exec();
}
