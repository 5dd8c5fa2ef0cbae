#pragma once

class Actor;
class Scene;

// The cast the Director creates, in this order. Each returns null when the
// member cannot be created; the Director then skips it.
Actor* NewStarField(Scene* scene);
Actor* NewPasser(Scene* scene);
Actor* NewMast(Scene* scene);
Actor* NewCruiser(Scene* scene);
Actor* NewLinker(Scene* scene);
