#pragma once

class Scene;

// A position or direction in scene units; a plain value.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    // Assigns all three and yields the vector, for use as a temporary.
    Vec3& Set(float newX, float newY, float newZ)
    {
        x = newX;
        y = newY;
        z = newZ;
        return *this;
    }
};

// A member of the cast: the Director restyles it on every mode flip, updates
// it once per step and draws it once per frame. The base does nothing.
class Actor {
public:
    explicit Actor(Scene* scene) : scene(scene) {}
    virtual ~Actor() = default;
    Actor(const Actor&) = delete;
    Actor& operator=(const Actor&) = delete;

    // Re-randomises colours and recompiles display lists.
    virtual void Restyle() {}
    // One animation step.
    virtual void Update() {}
    // One frame.
    virtual void Draw() {}
    // Before the first frame: draw once every combination of GL state that
    // Update (the linker's glow pass) and Draw can use in either mode,
    // whatever the actor's own state, changing nothing of it and taking no
    // random number. The Director's warm-up calls them where a frame calls
    // Update and Draw. (A display list compiled in sepia mode differs from
    // the colour one in its colour values only, so the lists in hand serve
    // for both modes.)
    virtual void WarmUpUpdate() {}
    virtual void WarmUpDraw() { Draw(); }

    Vec3 position;  // (0, 0, 0) until the first Update
    Scene* scene;   // not owned
};
