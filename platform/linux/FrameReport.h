#pragma once

// An optional count of the frames a run showed, for measuring the saver from
// outside: when QUILLMOOR_FRAME_REPORT is set in the environment, the run
// prints one line to stderr as it ends:
//   quillmoor: frames N seconds S first-frame-clock C
// S is the wall time from the first frame to the end, C the CLOCK_MONOTONIC
// reading (seconds) when the first frame was done. Without the variable
// nothing is counted or printed.
class FrameReport {
public:
    FrameReport();
    ~FrameReport();  // prints the line
    FrameReport(const FrameReport&) = delete;
    FrameReport& operator=(const FrameReport&) = delete;

    bool enabled() const { return enabled_; }
    // A frame was finished (rendered and swapped, or rendered and glFinish-ed).
    void FrameDone();

private:
    bool enabled_ = false;
    long long frames_ = 0;
    double firstFrameClock_ = 0.0;
};

// The clock C is read on: CLOCK_MONOTONIC, in seconds. Whoever compares a
// time of its own with C reads this one.
double FrameReportClock();
