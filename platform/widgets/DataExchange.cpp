#include "DataExchange.h"
