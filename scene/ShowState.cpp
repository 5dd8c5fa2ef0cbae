#include "scene/ShowState.h"

bool sepiaMode = false;
