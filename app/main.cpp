#include "AddressCommands.h"
#include "CTobrelApp.h"
#include "ShutdownSignals.h"

int main(int argc, char *argv[])
{
    ShutdownSignals::installHandlers();
    if (const auto exitCode = CTobrelApp::HandleInformationOptions(argc, argv))
        return *exitCode;
    if (const auto exitCode = runAddressCommand(argc, argv))
        return *exitCode;
    CTobrelApp app(argc, argv);
    if (!app.InitInstance())
        return app.ExitCode();
    return app.exec();
}
