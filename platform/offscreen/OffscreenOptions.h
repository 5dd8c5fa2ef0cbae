#pragma once

#include <string>

// Options of an offscreen run: `quillmoor --offscreen [options]`.
struct OffscreenOptions {
    int frames = 1;
    int width = 640;
    int height = 480;
    std::string outDir = "frames";
    bool writeImages = true;  // --no-png renders without writing files

    bool seedGiven = false;
    unsigned seed = 0;

    // --start / --step run the frame clock as a simulated clock.
    bool simulatedClock = false;
    double startSeconds = 0.0;
    double stepMs = 40.0;

    // --model NAME shows one model alone instead of the show.
    std::string model;
    bool sepia = false;

    // --renderer NAME; empty: $QUILLMOOR_RENDERER, else the software renderer.
    std::string renderer;
};

inline constexpr int kMaxOffscreenSide = 16384;

// True when the arguments ask for an offscreen run.
bool WantsOffscreen(int argc, const char* const argv[]);

// Parses argv[1..argc-1]. On a bad option returns false with a one-line
// message naming the problem in `error`.
bool ParseOffscreenOptions(int argc, const char* const argv[], OffscreenOptions& options, std::string& error);

// A whole decimal number from `low` to `high`, the whole text and nothing
// else; the parser's rule for every whole-number option.
bool ParseOptionInt(const char* text, long long low, long long high, long long& value);

// Usage text for the offscreen options.
const char* OffscreenUsage();
