#pragma once

// The desktop entry starts the program with --data-folder, so that a start from the menu
// keeps its lists in one per-user folder instead of wherever the menu happened to start it.
namespace DataFolder {

// Takes --data-folder out of the arguments and makes ${XDG_DATA_HOME:-~/.local/share}/tobrel,
// created when missing, the current directory. Without the option nothing changes. false,
// with a message on stderr, when that folder cannot be made or entered.
bool enterIfAsked(int &argc, char **argv);

} // namespace DataFolder
