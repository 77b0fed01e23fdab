#include "SortedList.h"
