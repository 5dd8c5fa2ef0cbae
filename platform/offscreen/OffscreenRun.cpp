#include "platform/offscreen/OffscreenRun.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>

#include "platform/offscreen/SimulatedTickSource.h"
#include "show/ModelViewer.h"
#include "models/data/EmbeddedModels.h"
#include "platform/linux/FontGlyphs.h"
#include "platform/linux/FrameReport.h"
#include "platform/offscreen/OffscreenContext.h"
#include "platform/offscreen/PngWriter.h"
#include "scene/FrameClock.h"
#include "scene/Gl.h"
#include "scene/RandomSource.h"
#include "scene/Scene.h"
#include "scene/TextOverlay.h"
#include "show/Director.h"

namespace {

std::string FramePath(const std::string& dir, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", index);
    return (std::filesystem::path(dir) / name).string();
}

bool PrepareOutputDirectory(const std::string& dir, std::string& error)
{
    std::error_code code;
    std::filesystem::create_directories(dir, code);
    if (code || !std::filesystem::is_directory(dir, code)) {
        error = "cannot create output directory '" + dir + "'" + (code ? ": " + code.message() : "");
        return false;
    }
    return true;
}

// Restores the default clock when the run ends.
struct TickSourceScope {
    explicit TickSourceScope(TickSource* source) { SetTickSource(source); }
    ~TickSourceScope() { SetTickSource(nullptr); }
};

void ReportWritten(const OffscreenOptions& options)
{
    const char* plural = options.frames == 1 ? "" : "s";
    if (options.writeImages)
        std::printf("quillmoor: wrote %d frame%s of %dx%d to %s/\n", options.frames, plural, options.width,
                    options.height, options.outDir.c_str());
    else
        std::printf("quillmoor: rendered %d frame%s of %dx%d, wrote no files (--no-png)\n", options.frames, plural,
                    options.width, options.height);
}

bool OpenContext(OffscreenContext& context, const OffscreenOptions& options, std::string& error)
{
    if (!context.Create(options.width, options.height, error)) {
        std::fprintf(stderr, "quillmoor: %s\n", error.c_str());
        return false;
    }
    std::printf("quillmoor: rendering with %s\n", context.description().c_str());
    return true;
}

// One model alone, turning slowly over the frames.
int RunModelViewer(const OffscreenOptions& options, const ModelDescriptor& model)
{
    std::string error;
    if (options.writeImages && !PrepareOutputDirectory(options.outDir, error)) {
        std::fprintf(stderr, "quillmoor: %s\n", error.c_str());
        return 1;
    }
    OffscreenContext context(options.renderer);
    if (!OpenContext(context, options, error))
        return 1;
    {
        ModelViewer viewer(model, options.width, options.height, options.sepia);
        for (int frame = 0; frame < options.frames; ++frame) {
            viewer.DrawFrame(frame);
            if (!options.writeImages)
                continue;
            if (!WritePng(FramePath(options.outDir, frame + 1), context.pixels(), context.width(), context.height(),
                          error)) {
                std::fprintf(stderr, "quillmoor: %s\n", error.c_str());
                return 1;
            }
        }
        glFinish();
    }
    ReportWritten(options);
    return 0;
}

}  // namespace

bool RenderShowFrames(const OffscreenOptions& options, const std::function<bool(int number)>& frameDone)
{
    // A fresh show, whatever ran before in this process.
    ResetFrameClock();
    ResetShowState();
    SetGlyphListBuilder(BuildFontGlyphLists);
    SetSeedOverride(options.seedGiven, options.seed);

    SimulatedTickSource simulated(options.startSeconds, options.stepMs);
    std::unique_ptr<TickSourceScope> clockScope;
    if (options.simulatedClock)
        clockScope = std::make_unique<TickSourceScope>(&simulated);

    // The options refuse such a start; a caller that passes one gets no frame.
    if (options.simulatedClock && !simulated.LeadInFits())
        return false;

    auto scene = std::make_unique<Scene>(options.width, options.height, 0);
    // A late start plays the show up to its first frame unwritten, so that it
    // shows what a run from 0 shows at that moment. Only the last frame of
    // the lead-in is drawn: the frame after it then finds the GL state a
    // drawn frame leaves.
    const int64_t leadIn = options.simulatedClock ? simulated.LeadInFrames() : 0;
    bool completed = true;
    for (int64_t frame = 0; frame < leadIn + options.frames; ++frame) {
        if (options.simulatedClock)
            simulated.SetFrame(frame);
        if (frame + 1 < leadIn) {
            scene->AdvanceFrame();
            continue;
        }
        scene->RenderFrame(0);
        if (frame >= leadIn && !frameDone(static_cast<int>(frame - leadIn) + 1)) {
            completed = false;
            break;
        }
    }
    glFinish();
    scene.reset();
    return completed;
}

int RunOffscreen(const OffscreenOptions& options)
{
    std::string error;
    if (!options.model.empty()) {
        const ModelDescriptor* model = FindEmbeddedModel(options.model.c_str());
        if (!model) {
            std::fprintf(stderr, "quillmoor: unknown model '%s' (known: A, B1, B2, C, D)\n", options.model.c_str());
            return 1;
        }
        return RunModelViewer(options, *model);
    }
    if (options.writeImages && !PrepareOutputDirectory(options.outDir, error)) {
        std::fprintf(stderr, "quillmoor: %s\n", error.c_str());
        return 1;
    }

    OffscreenContext context(options.renderer);
    if (!OpenContext(context, options, error))
        return 1;

    FrameReport report;
    const bool finish = report.enabled() || options.writeImages;
    const bool rendered = RenderShowFrames(options, [&](int number) {
        if (finish)
            glFinish();
        report.FrameDone();
        if (!options.writeImages)
            return true;
        if (!WritePng(FramePath(options.outDir, number), context.pixels(), context.width(), context.height(),
                      error)) {
            std::fprintf(stderr, "quillmoor: %s\n", error.c_str());
            return false;
        }
        return true;
    });
    if (!rendered)
        return 1;

    ReportWritten(options);
    return 0;
}
