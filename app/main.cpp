#include "CTobrelApp.h"
#include "ShutdownSignals.h"

int main(int argc, char *argv[])
{
    ShutdownSignals::installHandlers();
    if (const auto exitCode = CTobrelApp::HandleInformationOptions(argc, argv))
        return *exitCode;
    CTobrelApp app(argc, argv);
    if (!app.InitInstance())
        return app.ExitCode();
    const int loopResult = app.exec();
    return loopResult != 0 ? loopResult : app.ExitCode();
}
