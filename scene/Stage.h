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
    // Draws, once before the first frame, every combination of GL state the
    // frames will use, so that the driver builds what it needs for each now
    // and not when the show first shows it. The Scene calls it at the end of
    // its set-up with the frame's camera in place, and afterwards puts back
    // the picture and every piece of GL state.
    virtual void WarmUp() {}

    Scene* scene;
};

// kind 0 gives a new Director; any other kind gives null.
Stage* CreateStage(int kind, Scene* scene);
