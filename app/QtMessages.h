#pragma once

// Qt's warnings that the session has no usable runtime folder (XDG_RUNTIME_DIR unset, as
// for root or a job started without a desktop) are not passed on: the program keeps nothing
// there, and a command-line run says nothing but its own messages. Every other message of
// Qt's goes where it went before.
void hideRuntimeFolderWarnings();
