#pragma once

class Scene;

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// A member of the cast: the Director restyles it on every mode flip, updates
// it once per step and draws it once per frame.
class Actor {
public:
    explicit Actor(Scene* scene) : scene(scene) {}
    virtual ~Actor() = default;

    virtual void Restyle() = 0;
    virtual void Update() = 0;
    virtual void Draw() = 0;

    Vec3 position;
    Scene* scene;
};
