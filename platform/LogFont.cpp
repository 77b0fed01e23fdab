#include "LogFont.h"
