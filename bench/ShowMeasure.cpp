#include "bench/ShowMeasure.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "actors/LinkerActor.h"
#include "bench/ProcessMemory.h"
#include "bench/ShowSession.h"
#include "platform/offscreen/PngWriter.h"
#include "show/Director.h"
#include "scene/Gl.h"
#include "scene/Scene.h"

namespace {

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double ProcessCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

enum Kind { kColour, kSepia, kGlow, kFlip, kKinds };
const char* const kKindNames[kKinds] = {"colour", "sepia", "glow", "flip"};

// One frame of each kind, for looking at: the tenth, or for the glow the
// fortieth, well into a glow moment.
void KeepPicture(const BenchOptions& options, ShowSession& show, Kind kind, int seen)
{
    if (options.pictureDir.empty() || seen != (kind == kGlow ? 40 : 10) || kind == kFlip)
        return;
    char name[96];
    std::snprintf(name, sizeof name, "/%s%s%dx%d-%s.png", show.renderer().c_str(), show.renderer().empty() ? "" : "-",
                  show.context().width(), show.context().height(), kKindNames[kind]);
    std::string error;
    if (!WritePng(options.pictureDir + name, show.context().pixels(), show.context().width(),
                  show.context().height(), error))
        std::fprintf(stderr, "quillmoor_bench: %s\n", error.c_str());
}

}  // namespace

bool MeasureShow(const BenchOptions& options, const BenchOptions::Size& size, ShowFigures& figures,
                 std::string& error, const std::string& renderer)
{
    figures = ShowFigures{};
    figures.width = size.width;
    figures.height = size.height;
    figures.renderer = renderer;
    ResetPeakResident();
    {
        ShowSession show(size.width, size.height, options.seed, renderer);
        if (!show.Open(error))
            return false;
        figures.context = show.context().description();
        figures.glowSupported = show.scene().glowSupported;

        std::vector<double> all, byKind[kKinds];
        all.reserve(static_cast<size_t>(options.frames));
        const auto runStart = std::chrono::steady_clock::now();
        for (int frame = 0; frame < options.frames; ++frame) {
            const long long periodBefore = lastPeriod;
            const auto start = std::chrono::steady_clock::now();
            show.RenderAt(options.startSeconds + frame * options.stepMs / 1000.0);
            glFinish();
            const double ms = Since(start);
            const LinkerActor* linker = show.linker();
            Kind kind = sepiaMode ? kSepia : kColour;
            if (linker && linker->glowing)
                kind = kGlow;
            if (lastPeriod != periodBefore && frame > 0)
                kind = kFlip;
            all.push_back(ms);
            byKind[kind].push_back(ms);
            KeepPicture(options, show, kind, static_cast<int>(byKind[kind].size()));
        }
        figures.seconds = Since(runStart) / 1000.0;
        figures.all = Summarise(all);
        figures.colour = Summarise(byKind[kColour]);
        figures.sepia = Summarise(byKind[kSepia]);
        figures.glow = Summarise(byKind[kGlow]);
        figures.flips = byKind[kFlip];

        // The floor: what a frame costs that only clears and finishes.
        std::vector<double> floor;
        for (int i = 0; i < 200; ++i) {
            const auto start = std::chrono::steady_clock::now();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glFinish();
            floor.push_back(Since(start));
        }
        figures.floorMedian = Summarise(floor).median;
    }
    figures.peakResidentKiB = PeakResidentKiB();
    return true;
}

bool MeasureFrameCpu(const BenchOptions& options, FrameStats& cpu, std::string& error)
{
    ShowSession show(64, 48, options.seed, options.renderers.empty() ? "" : options.renderers.front());
    if (!show.Open(error))
        return false;
    std::vector<double> times;
    times.reserve(static_cast<size_t>(options.frames));
    for (int frame = 0; frame < options.frames; ++frame) {
        const double start = ProcessCpuMilliseconds();
        show.RenderAt(options.startSeconds + frame * options.stepMs / 1000.0);
        glFinish();
        times.push_back(ProcessCpuMilliseconds() - start);
    }
    cpu = Summarise(times);
    return true;
}
