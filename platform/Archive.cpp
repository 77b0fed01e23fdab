#include "Archive.h"
