#include "MulDiv.h"
