#include "actors/Cast.h"

#include <new>

#include "actors/CruiserActor.h"
#include "actors/LinkerActor.h"
#include "actors/MastActor.h"
#include "actors/PasserActor.h"
#include "actors/StarField.h"

// The Director calls these in cast order; a member that cannot be allocated
// is null and skipped.
Actor* NewStarField(Scene* scene) { return new (std::nothrow) StarField(scene); }
Actor* NewPasser(Scene* scene) { return new (std::nothrow) PasserActor(scene); }
Actor* NewMast(Scene* scene) { return new (std::nothrow) MastActor(scene); }
Actor* NewCruiser(Scene* scene) { return new (std::nothrow) CruiserActor(scene); }
Actor* NewLinker(Scene* scene) { return new (std::nothrow) LinkerActor(scene); }
