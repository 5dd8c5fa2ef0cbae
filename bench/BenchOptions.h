#pragma once

#include <string>
#include <vector>

// What quillmoor_bench measures. The offscreen options (--size, --frames,
// --seed, --start, --step, --out) are read by the offscreen runner's own
// parser; the bench adds --json PATH, --short, --no-warm-up and --endurance
// [--days N] [--no-glow] [--leak BYTES] [--slow-rasterizer].
struct BenchOptions {
    struct Size {
        int width, height;
    };
    std::vector<Size> sizes;   // --size picks one; else 640x480, 1280x720, 1920x1080
    bool sizeGiven = false;
    int frames = 1500;         // per size: 60 s of show in 40 ms steps
    double startSeconds = 0.0;
    double stepMs = 40.0;
    unsigned seed = 7;
    std::string jsonPath = "quillmoor-bench.json";
    std::string pictureDir;    // --out: sample frames of each kind as PNG
    bool quick = false;        // --short: a CI smoke run, figures not judged
    int firstFrameRuns = 5;
    bool warmUp = true;        // --no-warm-up: the show without its GL warm-up, to compare

    // --renderer NAME, once or more: each size is measured with each, side by
    // side; empty: the offscreen context's default.
    std::vector<std::string> renderers;

    bool endurance = false;    // --endurance: days of show in one-minute steps
    int days = 30;             // --days N; --short makes it 4 unless given
    bool glow = true;          // --no-glow: the endurance run without the glow pass
    int leakBytes = 0;         // --leak BYTES: the endurance run leaks this much a frame,
                               // to prove that its memory judge sees such a leak
    bool slowRasterizer = false;  // --slow-rasterizer: the driver's rasterizer threads kept
                                  // behind, so that its scene pool fills (the heap's bound)
};

// Parses argv[1..]. False with a one-line `error` on a bad option.
bool ParseBenchOptions(int argc, const char* const argv[], BenchOptions& options, std::string& error);

const char* BenchUsage();
