#include "host/RunMode.h"

RunMode runMode = kRunModeNone;
