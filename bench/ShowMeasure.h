#pragma once

#include <string>
#include <vector>

#include "bench/BenchOptions.h"
#include "bench/FrameStats.h"

// The show's frame times at one size, each frame rendered and glFinish-ed on
// the simulated clock, sorted by what the frame showed.
struct ShowFigures {
    int width = 0;
    int height = 0;
    double seconds = 0.0;  // wall time of all frames
    FrameStats all;        // every frame of the run
    FrameStats colour;     // colour mode, no glow, no flip
    FrameStats sepia;      // sepia mode, no glow, no flip
    FrameStats glow;       // the glow overlay drawn (either mode)
    std::vector<double> flips;  // frames that flipped the mode (five Restyles)
    double floorMedian = 0.0;   // clear + glFinish only, same context
    long peakResidentKiB = 0;   // high-water mark during this size's run
    bool glowSupported = false;
    std::string renderer;       // as asked (--renderer), empty for the default
    std::string context;        // the context and GL that rendered
};

bool MeasureShow(const BenchOptions& options, const BenchOptions::Size& size, ShowFigures& figures,
                 std::string& error, const std::string& renderer = "");

// CPU time (all threads of the process) of each frame at 64 x 48, where
// rasterising costs next to nothing: our own work and the GL calls.
bool MeasureFrameCpu(const BenchOptions& options, FrameStats& cpu, std::string& error);
