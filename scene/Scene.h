#pragma once

class Stage;
class TextOverlay;

// The render object a saver window owns: viewport, projection and depth
// state, the show's clock and frame-rate average, and one frame per call.
// Built and destroyed with the GL context current.
class Scene {
public:
    Scene(int width, int height, int sceneParameter);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The window's new client size: viewport and projection follow it. The
    // constructor starts with it; backends call it when the window resizes.
    void Resize(int width, int height);

    // Renders one frame. True: drawn to the back buffer, the host must swap.
    bool RenderFrame(int sceneParameter);
    // One frame of the show without its drawing: the clock ticks and the
    // cast moves (and draws its glow texture) exactly as in RenderFrame, so
    // a run can be brought forward in time and then drawn. The buffer is
    // cleared only when a frame was drawn since: what the update phase draws
    // it clears again itself.
    void AdvanceFrame();

    void Update();
    void Draw();
    void Tick();

    TextOverlay* overlay = nullptr;
    Stage* stage = nullptr;
    int stageKind = 0;
    int width = 0;
    int height = 0;
    bool depthTest = false;
    bool glowSupported = false;  // both glow extensions are present
    float fps = 10.0f;           // shown rate; actors divide per-second speeds by it
    double time = 0.0;           // seconds since construction, in whole milliseconds

private:
    // Chooses the buffer, clears it and places the camera; true for the back buffer.
    bool BeginFrame(bool clear);
    bool drawnSinceClear_ = true;  // the constructor's warm-up draws
};

// Whether Scenes built from now on warm the GL state up before their first
// frame (see Stage::WarmUp). On unless a test or the benchmark turns it off
// to compare.
void SetStageWarmUp(bool enabled);

// Whether a GL extension string names both extensions the glow pass needs.
bool ExtensionsSupportGlow(const char* extensions);

// Face, pixel height and weight of the frame-rate font.
inline constexpr const char* kOverlayFace = "Courrier New";
inline constexpr int kOverlayPixelHeight = 12;
inline constexpr int kOverlayWeight = 400;
