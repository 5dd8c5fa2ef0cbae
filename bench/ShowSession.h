#pragma once

#include <memory>
#include <string>

#include "platform/offscreen/SimulatedTickSource.h"
#include "platform/offscreen/OffscreenContext.h"

class LinkerActor;
class Scene;

// The show in an offscreen context of its own, on a simulated clock that
// moves in whole milliseconds, seeded as asked; the process-wide show state
// starts fresh and is reset again when the session ends.
class ShowSession {
public:
    // `renderer`: an offscreen renderer's name, or empty for the context's default.
    ShowSession(int width, int height, unsigned seed, const std::string& renderer = "");
    ~ShowSession();
    ShowSession(const ShowSession&) = delete;
    ShowSession& operator=(const ShowSession&) = delete;

    // Creates the context and builds the Scene; false with `error` set.
    bool Open(std::string& error);
    // One frame at `seconds` of show time (rounded to the millisecond); no glFinish.
    void RenderAt(double seconds);

    Scene& scene() { return *scene_; }
    OffscreenContext& context() { return context_; }
    const std::string& renderer() const { return renderer_; }
    const LinkerActor* linker() const;

private:
    int width_, height_;
    unsigned seed_;
    std::string renderer_;
    SimulatedTickSource clock_{0.0, 1.0};
    OffscreenContext context_;
    std::unique_ptr<Scene> scene_;
};
