#pragma once

class Scene;

// A show that a Scene runs. The Scene calls these at fixed points of its
// construction and of every frame.
class Stage {
public:
    explicit Stage(Scene* scene) : scene(scene) {}
    virtual ~Stage() = default;

    virtual void Setup() {}
    virtual void Update() {}
    virtual void Draw() {}
    virtual void BeginFrame() {}
    virtual void EndFrame() {}
    virtual bool ReservedQuery1() { return true; }
    // True asks for front-buffer frames that keep the previous picture.
    virtual bool DrawsIncrementally() { return false; }
    virtual bool ReservedQuery2() { return true; }

    Scene* scene;
};

// kind 0 gives a new Director; any other kind gives null.
Stage* CreateStage(int kind, Scene* scene);
