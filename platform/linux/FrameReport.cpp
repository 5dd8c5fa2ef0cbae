#include "platform/linux/FrameReport.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

double FrameReportClock()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

FrameReport::FrameReport()
{
    const char* value = std::getenv("QUILLMOOR_FRAME_REPORT");
    enabled_ = value && *value && *value != '0';
}

FrameReport::~FrameReport()
{
    if (!enabled_)
        return;
    const double seconds = frames_ > 0 ? FrameReportClock() - firstFrameClock_ : 0.0;
    std::fprintf(stderr, "quillmoor: frames %lld seconds %.3f first-frame-clock %.6f\n", frames_, seconds,
                 firstFrameClock_);
}

void FrameReport::FrameDone()
{
    if (!enabled_)
        return;
    if (frames_ == 0)
        firstFrameClock_ = FrameReportClock();
    ++frames_;
}
