#include "Cp1250.h"
