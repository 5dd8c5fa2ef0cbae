// Compiled for 32-bit targets only (syntax check): the record header's
// 32-bit layout checks must hold there, not just be skipped.
#include "models/ModelRecords.h"

static_assert(sizeof(void*) == 4, "build this check for a 32-bit target");
static_assert(sizeof(ModelDescriptor) == 16 && sizeof(Material) == 580 && sizeof(Mesh) == 292);
