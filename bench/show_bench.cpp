// Prints what the show costs offscreen: building the Scene, and the time per
// frame (with glFinish, so the whole software render is counted), plus the
// peak resident memory. Usage: show_bench [--size WxH] [--frames N] [--start S]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/offscreen/SimulatedTickSource.h"
#include "platform/linux/FontGlyphs.h"
#include "platform/offscreen/OffscreenContext.h"
#include "scene/FrameClock.h"
#include "scene/Gl.h"
#include "scene/RandomSource.h"
#include "scene/Scene.h"
#include "scene/TextOverlay.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    int width = 800, height = 600, frames = 200;
    double start = 0.0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--size") && std::sscanf(argv[i + 1], "%dx%d", &width, &height) == 2)
            continue;
        if (!std::strcmp(argv[i], "--frames"))
            frames = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--start"))
            start = std::atof(argv[i + 1]);
    }
    if (width < 1 || height < 1 || width > 8192 || height > 8192) {
        std::fprintf(stderr, "show_bench: bad --size\n");
        return 2;
    }

    OffscreenContext context;
    std::string error;
    if (!context.Create(width, height, error)) {
        std::fprintf(stderr, "show_bench: %s\n", error.c_str());
        return 1;
    }
    SetGlyphListBuilder(BuildFontGlyphLists);
    SetSeedOverride(true, 7);
    SimulatedTickSource clock(start, 40.0);
    SetTickSource(&clock);

    const auto buildStart = std::chrono::steady_clock::now();
    Scene scene(width, height, 0);
    glFinish();
    const double buildMs = Milliseconds(std::chrono::steady_clock::now() - buildStart);

    std::vector<double> times;
    times.reserve(static_cast<size_t>(frames));
    for (int frame = 0; frame < frames; ++frame) {
        clock.SetFrame(frame);
        const auto t0 = std::chrono::steady_clock::now();
        scene.RenderFrame(0);
        glFinish();
        times.push_back(Milliseconds(std::chrono::steady_clock::now() - t0));
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0.0;
    for (double t : times)
        sum += t;
    std::printf("show_bench %dx%d, %d frames from %.1f s (40 ms steps)\n", width, height, frames, start);
    std::printf("  scene build      %8.2f ms\n", buildMs);
    std::printf("  frame mean       %8.2f ms\n", sum / frames);
    std::printf("  frame median     %8.2f ms\n", sorted[sorted.size() / 2]);
    std::printf("  frame p95        %8.2f ms\n", sorted[std::min(sorted.size() - 1, sorted.size() * 95 / 100)]);
    std::printf("  peak resident    %8ld KiB\n", PeakResidentKiB());
    SetTickSource(nullptr);
    return 0;
}
