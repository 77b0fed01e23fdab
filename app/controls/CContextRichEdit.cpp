#include "CContextRichEdit.h"
