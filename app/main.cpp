#include "AddressCommands.h"
#include "CTobrelApp.h"
#include "DataFolder.h"
#include "ListsFolder.h"
#include "PrintCommands.h"
#include "QtMessages.h"
#include "ShutdownSignals.h"

#include <csignal>

int main(int argc, char *argv[])
{
    hideRuntimeFolderWarnings();
    // A file-size limit then fails the write that crosses it, which the writer reports and
    // cleans up after, instead of ending the program with a half-written file beside the old.
    std::signal(SIGXFSZ, SIG_IGN);
    // Everything after this works in the lists' folder.
    if (!DataFolder::enterIfAsked(argc, argv))
        return 1;
    // Before the window's signal handlers: a command-line run ends on a signal as any tool
    // does (its files are written whole or not at all).
    if (const auto exitCode = PrintCommands::run(argc, argv))
        return *exitCode;
    if (const auto exitCode = runAddressCommand(argc, argv))
        return *exitCode;
    ShutdownSignals::installHandlers();
    if (const auto exitCode = CTobrelApp::HandleInformationOptions(argc, argv))
        return *exitCode;
    // Before the window system: the lists are read while the window is being built.
    ListsFolder folder;
    CTobrelApp app(argc, argv, folder);
    if (!app.InitInstance())
        return app.ExitCode();
    const int loopResult = app.exec();
    return loopResult != 0 ? loopResult : app.ExitCode();
}
