#pragma once

#include <string>
#include <vector>

// What one frame of a run cost and what happened in it besides drawing the
// cast: the moments that first use new drawing state (a glow, a mode flip, a
// link line) or rebuild display lists (a flyer's restyle).
struct FrameRecord {
    double ms = 0.0;       // wall time
    double cpuMs = 0.0;    // CPU time of every thread: what the frame cost whatever else ran
    double showSeconds = 0.0;
    bool sepia = false;    // the mode the frame was drawn in
    bool flip = false;     // the mode changed in this frame
    bool glow = false;     // the glow overlay was drawn
    bool link = false;     // a link line was drawn (into the glow, or in colour)
    bool restyle = false;  // a flyer closed a cycle and restyled
};

// The slowest frame after the first, where it happened and what it did.
struct Hitch {
    bool found = false;      // false for a run of fewer than two frames
    int frame = 0;           // index in the run
    double showSeconds = 0.0;
    double ms = 0.0;
    double overMedian = 0.0;  // over the median of the whole run (0 when the median is 0)
    // The frame's wall and CPU time, whichever ranked it.
    double wallMs = 0.0;
    double cpuMs = 0.0;

    // No thread of the process ran for at least this long in the frame: the
    // part of the wall time that the CPU time of every thread cannot cover.
    double WaitedAtLeastMs() const { return wallMs > cpuMs ? wallMs - cpuMs : 0.0; }
    // Waited for a quarter of the frame or more: a scheduling stall from the
    // machine rather than a frame that cost more to draw.
    bool IsStall() const { return wallMs > 0.0 && WaitedAtLeastMs() >= wallMs / 4.0; }
    std::string events;       // e.g. "colour, first glow, link"
};

// The first frame pays for building everything the show draws; a hitch is a
// frame after it that costs far more than its run's median. `cost` picks the
// wall time (ms) or the CPU time (cpuMs); `median` is the run's median of it.
Hitch WorstAfterFirst(const std::vector<FrameRecord>& frames, double median, double FrameRecord::*cost);

// The mode and the events of frames[index]; an event that no earlier frame of
// the run had is marked "first".
std::string DescribeEvents(const std::vector<FrameRecord>& frames, size_t index);
