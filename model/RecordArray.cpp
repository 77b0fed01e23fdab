#include "RecordArray.h"
