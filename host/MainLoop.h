#pragma once

// What the saver's main loop needs of the window system and the Scene.
class MainLoopPlatform {
public:
    enum class Pump {
        Empty,       // no message was waiting
        Dispatched,  // one message was taken and dispatched
        Quit,        // the quit message was taken (not dispatched)
    };
    virtual ~MainLoopPlatform() = default;
    virtual Pump DispatchNextMessage() = 0;
    // One Scene frame; true when it drew to the back buffer.
    virtual bool RenderFrame() = 0;
    virtual void SwapBuffers() = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
};

inline constexpr unsigned kFramePauseMs = 10;

// Until the quit message: drain every waiting message, then one frame (swapped
// only when it asks to be), then a 10 ms pause.
void RunMainLoop(MainLoopPlatform& platform);
