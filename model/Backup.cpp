#include "Backup.h"
