#include "bench/BenchOptions.h"

#include <cstring>

#include "platform/offscreen/OffscreenOptions.h"
#include "platform/offscreen/OffscreenRenderer.h"

namespace {

bool Given(const std::vector<const char*>& args, const char* name)
{
    for (const char* arg : args)
        if (std::strcmp(arg, name) == 0)
            return true;
    return false;
}

}  // namespace

const char* BenchUsage()
{
    return "usage: quillmoor_bench [--size WxH] [--frames N] [--step MS] [--start S] [--seed S]\n"
           "                       [--out DIR] [--json PATH] [--short] [--no-warm-up] [--renderer NAME]...\n"
           "       quillmoor_bench --endurance [--days N] [--size WxH] [--short] [--no-glow] [--leak BYTES]\n"
           "                                   [--slow-rasterizer]";
}

bool ParseBenchOptions(int argc, const char* const argv[], BenchOptions& options, std::string& error)
{
    options = BenchOptions{};
    // The bench's own options are taken out; the rest go to the offscreen parser.
    std::vector<const char*> rest{argc > 0 ? argv[0] : "quillmoor_bench"};
    bool daysGiven = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i] ? argv[i] : "";
        const bool needsValue = !std::strcmp(arg, "--json") || !std::strcmp(arg, "--days")
            || !std::strcmp(arg, "--renderer") || !std::strcmp(arg, "--leak");
        if (needsValue && (i + 1 >= argc || !argv[i + 1])) {
            error = std::string("option ") + arg + " needs a value";
            return false;
        }
        if (!std::strcmp(arg, "--json")) {
            options.jsonPath = argv[++i];
            if (options.jsonPath.empty()) {
                error = "--json wants a file name";
                return false;
            }
        } else if (!std::strcmp(arg, "--days")) {
            long long days = 0;
            if (!ParseOptionInt(argv[++i], 1, 3650, days)) {
                error = std::string("--days wants a whole number from 1 to 3650, not '") + argv[i] + "'";
                return false;
            }
            options.days = static_cast<int>(days);
            daysGiven = true;
        } else if (!std::strcmp(arg, "--leak")) {
            long long bytes = 0;
            if (!ParseOptionInt(argv[++i], 0, 1 << 20, bytes)) {
                error = std::string("--leak wants bytes a frame from 0 to 1048576, not '") + argv[i] + "'";
                return false;
            }
            options.leakBytes = static_cast<int>(bytes);
        } else if (!std::strcmp(arg, "--no-glow")) {
            options.glow = false;
        } else if (!std::strcmp(arg, "--slow-rasterizer")) {
            options.slowRasterizer = true;
        } else if (!std::strcmp(arg, "--renderer")) {
            std::string renderer;
            if (!ChooseOffscreenRenderer(argv[++i], nullptr, renderer, error))
                return false;
            options.renderers.push_back(renderer);
        } else if (!std::strcmp(arg, "--short")) {
            options.quick = true;
        } else if (!std::strcmp(arg, "--no-warm-up")) {
            options.warmUp = false;
        } else if (!std::strcmp(arg, "--endurance")) {
            options.endurance = true;
        } else if (!std::strcmp(arg, "--model") || !std::strcmp(arg, "--sepia") || !std::strcmp(arg, "--no-png")
                   || !std::strcmp(arg, "--offscreen")) {
            error = std::string("option ") + arg + " does not apply to the benchmark";
            return false;
        } else {
            rest.push_back(arg);
        }
    }

    OffscreenOptions offscreen;
    if (!ParseOffscreenOptions(static_cast<int>(rest.size()), rest.data(), offscreen, error))
        return false;
    options.sizeGiven = Given(rest, "--size");
    if (options.sizeGiven)
        options.sizes = {{offscreen.width, offscreen.height}};
    else if (options.quick)
        options.sizes = {{640, 480}};
    else
        options.sizes = {{640, 480}, {1280, 720}, {1920, 1080}};
    // The short run still spans a minute of show (both modes, two flips), in fewer, longer steps.
    if (options.quick) {
        options.frames = 300;
        options.stepMs = 200.0;
        options.firstFrameRuns = 1;
        if (!daysGiven)
            options.days = 4;  // a smoke run: too short for its memory to be judged
    }
    if (Given(rest, "--frames"))
        options.frames = offscreen.frames;
    if (Given(rest, "--step"))
        options.stepMs = offscreen.stepMs;
    options.startSeconds = offscreen.startSeconds;
    if (offscreen.seedGiven)
        options.seed = offscreen.seed;
    if (Given(rest, "--out"))
        options.pictureDir = offscreen.outDir;
    if (options.stepMs <= 0.0) {
        error = "--step must be more than 0 ms for the benchmark";
        return false;
    }
    return true;
}
