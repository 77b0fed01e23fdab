#pragma once

#include <optional>

class QCommandLineParser;

// tobrel --import FILE [--senders] and tobrel --export FILE [--senders]: the address lists
// of the current directory merged with, or written to, a CSV or vCard file, without a
// window or a display.
void addAddressCommandOptions(QCommandLineParser &parser);

// The exit code when the arguments ask for one of these commands (0 done, 1 a file could
// not be read or written, 2 wrong use); nothing when they do not.
std::optional<int> runAddressCommand(int argc, char **argv);
