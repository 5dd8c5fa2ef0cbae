// Figures for the full show rendered offscreen:
//   cast_bench [--size WxH] [--frames N]   frame cost in colour and in sepia mode
//   cast_bench --day [--hours H] [--size WxH]  H hours (24 unless given) of show time at
//                                          one frame a second: memory, display lists, positions
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "actors/Actor.h"
#include "platform/offscreen/SimulatedTickSource.h"
#include "platform/linux/FontGlyphs.h"
#include "platform/offscreen/OffscreenContext.h"
#include "show/Director.h"
#include "scene/FrameClock.h"
#include "scene/Gl.h"
#include "scene/RandomSource.h"
#include "scene/Scene.h"
#include "scene/TextOverlay.h"

namespace {

long ResidentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Display-list names in use among the first few thousand.
int CountDisplayLists()
{
    int count = 0;
    for (GLuint name = 1; name < 8192; ++name)
        count += glIsList(name) ? 1 : 0;
    return count;
}

struct Run {
    explicit Run(double startSeconds, double stepMs) : clock(startSeconds, stepMs) { SetTickSource(&clock); }
    ~Run() { SetTickSource(nullptr); }
    SimulatedTickSource clock;
};

void ResetShow()
{
    ResetFrameClock();
    ResetShowState();
}

double MillisecondsPerFrame(int width, int height, double startSeconds, int frames)
{
    ResetShow();
    Run run(startSeconds, 33.0);
    Scene scene(width, height, 0);
    const auto begin = std::chrono::steady_clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        run.clock.SetFrame(frame);
        scene.RenderFrame(0);
        glFinish();
    }
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - begin).count() / frames;
}

int FrameCost(int width, int height, int frames)
{
    const double colour = MillisecondsPerFrame(width, height, 0.0, frames);
    const double sepia = MillisecondsPerFrame(width, height, 25.0, frames);
    std::printf("full show %dx%d, %d frames each at 33 ms steps\n", width, height, frames);
    std::printf("  colour mode: %.2f ms/frame\n", colour);
    std::printf("  sepia mode:  %.2f ms/frame\n", sepia);
    return 0;
}

int DayRun(int width, int height, int hours)
{
    ResetShow();
    const int kFrames = hours * 3600;
    Run run(0.0, 1000.0);
    auto scene = std::make_unique<Scene>(width, height, 0);
    run.clock.SetFrame(0);
    scene->RenderFrame(0);
    const int listsAtStart = CountDisplayLists();
    // Memory is compared with the first report, once the caches have filled.
    const int reportEvery = (hours >= 8 ? 3 : 1) * 3600;
    long firstReportKb = 0;
    bool finite = true;
    const auto begin = std::chrono::steady_clock::now();
    std::printf("%d hours of show time at %dx%d, one frame per second of show time\n", hours, width, height);
    for (int frame = 1; frame <= kFrames; ++frame) {
        run.clock.SetFrame(frame);
        scene->RenderFrame(0);
        for (Actor* actor : currentDirector->cast)
            if (actor)
                finite = finite && std::isfinite(actor->position.x) && std::isfinite(actor->position.y)
                    && std::isfinite(actor->position.z);
        if (frame % reportEvery == 0) {
            const long kb = ResidentKilobytes();
            if (frame == reportEvery)
                firstReportKb = kb;
            std::printf("  hour %2d: resident %ld kB (%+ld kB since hour %d)\n", frame / 3600, kb, kb - firstReportKb,
                        reportEvery / 3600);
            std::fflush(stdout);
        }
    }
    glFinish();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    const int listsAtEnd = CountDisplayLists();
    std::printf("  display lists: %d at start, %d at end\n", listsAtStart, listsAtEnd);
    std::printf("  positions finite throughout: %s\n", finite ? "yes" : "NO");
    const char* names[] = {"star field", "passer", "mast", "cruiser", "linker"};
    for (int i = 0; i < Director::kCastSize; ++i)
        if (const Actor* actor = currentDirector->cast[i])
            std::printf("  %-10s at (%.2f, %.2f, %.2f)\n", names[i], actor->position.x, actor->position.y,
                        actor->position.z);
    std::printf("  %.1f s wall clock, %.2f ms/frame\n", seconds, seconds * 1000.0 / kFrames);
    scene.reset();
    return finite && listsAtStart == listsAtEnd ? 0 : 1;
}

bool ParseSize(const char* text, int& width, int& height)
{
    return std::sscanf(text, "%dx%d", &width, &height) == 2 && width > 0 && height > 0 && width <= 8192
        && height <= 8192;
}

}  // namespace

int main(int argc, char** argv)
{
    bool day = false;
    int width = 800, height = 600, frames = 300, hours = 24;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--day") == 0) {
            day = true;
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc && ParseSize(argv[i + 1], width, height)) {
            ++i;
        } else if (std::strcmp(argv[i], "--hours") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) > 0
                   && std::atoi(argv[i + 1]) <= 24 * 365) {
            hours = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
            frames = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: cast_bench [--day [--hours H]] [--size WxH] [--frames N]\n");
            return 2;
        }
    }

    OffscreenContext context;
    std::string error;
    if (!context.Create(width, height, error)) {
        std::fprintf(stderr, "cast_bench: %s\n", error.c_str());
        return 1;
    }
    SetGlyphListBuilder(BuildFontGlyphLists);
    SetSeedOverride(true, 7);
    return day ? DayRun(width, height, hours) : FrameCost(width, height, frames);
}
