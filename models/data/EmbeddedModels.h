#pragma once

#include "models/ModelRecords.h"

// The five models the program carries, as static records. Actors edit their
// Material and Mesh records in place.
extern ModelDescriptor modelA;   // cruiser: shaft, cap, foot discs and four fin pairs
extern ModelDescriptor modelB1;  // passer body
extern ModelDescriptor modelB2;  // passer's swinging sheet
extern ModelDescriptor modelC;   // mast body with vanes and pods
extern ModelDescriptor modelD;   // linker: wide disc with hubs and lamps

// The model called "A", "B1", "B2", "C" or "D"; null for any other name.
ModelDescriptor* FindEmbeddedModel(const char* name);
