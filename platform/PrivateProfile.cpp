#include "PrivateProfile.h"
