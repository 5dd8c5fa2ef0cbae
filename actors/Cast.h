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

// The members the linker watches, as the show that owns the cast finds them.
class CastRoster {
public:
    virtual ~CastRoster() = default;
    virtual Actor* mast() const = 0;
    virtual Actor* cruiser() const = 0;
};

// The roster of the show now running; null when there is none.
extern CastRoster* currentCast;
