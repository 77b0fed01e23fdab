#include "BackupCommands.h"
