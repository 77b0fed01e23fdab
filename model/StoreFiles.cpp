#include "StoreFiles.h"
