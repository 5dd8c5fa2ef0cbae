#pragma once

#include <string>

// Mesa's llvmpipe rasterizes on threads of its own and keeps a pool of up to
// 64 scenes for the frames its caller builds ahead of those threads. A scene
// holds the command and data blocks of the last frame it carried until it is
// used again, so the heap holds as many frames' worth as the pool ever had
// scenes: a number set by how the threads were scheduled, not by the show.
// LP_NUM_THREADS=0 rasterizes on the calling thread, with no pool.

enum class RasterizerThreads {
    kNone,             // LP_NUM_THREADS=0, set here: the heap is the show's own
    kFromEnvironment,  // LP_NUM_THREADS as the environment gave it
    kSlowed,           // threaded, at the lowest priority on one CPU: the pool fills
};

// Before the context opens: sets LP_NUM_THREADS for `slow` (2 when unset) or,
// when unset, to 0; reports which.
RasterizerThreads ChooseRasterizerThreads(bool slow);

// After the context opened: every thread of the process onto the CPU the
// caller runs on, and the rasterizer threads to the lowest priority, so that
// frames are built far ahead of their rasterizing. False with `error` when no
// rasterizer thread is found or one cannot be moved.
bool SlowRasterizerThreads(std::string& error);

// A line for the report: what the rasterizer ran as.
std::string DescribeRasterizerThreads(RasterizerThreads threads);
