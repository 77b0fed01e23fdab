#include "CAutoComboBox.h"
