#pragma once

#include "bench/BenchOptions.h"

// Days of show time on the simulated clock in one-minute steps, nothing
// written. Each step renders the frame at the minute, then frames 50 ms
// apart until every flyer has closed the cycles the minute carried it past
// (a flyer closes at most one cycle per step, as after any stall). At the end
// it checks that every actor is on its path, that no position is NaN or
// infinite, that the display lists and textures are those of the first frame,
// and, in runs of 30 days or more, that the heap in use held level from the
// middle third of the run to the last. --no-glow runs it without the glow
// pass; --leak BYTES leaks that much a frame, to prove that the judge sees it.
// Prints the figures and the wall time; returns the exit code (0: all held).
int RunEndurance(const BenchOptions& options);
