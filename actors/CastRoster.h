#pragma once

class Actor;

// The members the linker watches, as the show that owns the cast finds them.
class CastRoster {
public:
    virtual ~CastRoster() = default;
    virtual Actor* mast() const = 0;
    virtual Actor* cruiser() const = 0;
};

// The roster of the show now running; null when there is none.
extern CastRoster* currentCast;
