#pragma once

#include <QCommandLineOption>
#include <QList>

#include <optional>

// "--pdf FILE" and "--print": envelopes from the lists of the current directory, printed as
// the window prints them, without a window or a display. They only read the folder.
namespace PrintCommands {

// The options, also for the program's help text.
QList<QCommandLineOption> options();

// The exit status when the arguments ask for a PDF or a print job; nothing when they do not
// (or ask for help or the version), so that the window starts.
std::optional<int> run(int argc, char **argv);

} // namespace PrintCommands
