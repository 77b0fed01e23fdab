#include "PostedEvents.h"
