#pragma once

#include <string>
#include <vector>

#include "bench/BenchOptions.h"
#include "bench/FrameStats.h"
#include "bench/Hitches.h"

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
    double contextMs = 0.0;     // creating the offscreen context
    double setupMs = 0.0;       // building the Scene: the cast, and the GL warm-up unless it is off
    double firstFrameMs = 0.0;  // frame 0, which the hitch below leaves out
    Hitch worst;                // the slowest frame after the first
    FrameStats cpu;             // CPU time of every frame, all threads
    Hitch worstCpu;             // the costliest frame after the first in CPU time: no other load in it
};

bool MeasureShow(const BenchOptions& options, const BenchOptions::Size& size, ShowFigures& figures,
                 std::string& error, const std::string& renderer = "");

// CPU time (all threads of the process) of each frame at 64 x 48, where
// rasterising costs next to nothing: our own work and the GL calls.
bool MeasureFrameCpu(const BenchOptions& options, FrameStats& cpu, std::string& error);
