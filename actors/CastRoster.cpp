#include "actors/CastRoster.h"

CastRoster* currentCast = nullptr;
