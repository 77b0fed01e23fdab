#pragma once

#include <QString>

// The reason a file operation failed, as the user is told it: the common system errors in
// Czech, any other as the system words it.
QString fileErrorText(int errorCode);
// A device, a pipe or a socket where a file is meant.
QString notRegularFileText();
