#include "LogFontQt.h"
