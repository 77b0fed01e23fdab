#pragma once

#include <QString>

// The reason a file operation failed, as the user is told it, in Czech: the common system
// errors in words, any other by its number.
QString fileErrorText(int errorCode);
// A device, a pipe or a socket where a file is meant.
QString notRegularFileText();
