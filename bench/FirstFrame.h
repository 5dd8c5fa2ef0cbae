#pragma once

#include <string>

// Milliseconds from starting `program --offscreen --frames 1 --no-png` at
// 640 x 480 to the moment its first frame was finished, read from the
// program's own frame report (QUILLMOOR_FRAME_REPORT). The median of `runs`
// starts; false with `error` set when the program cannot be run.
bool MeasureFirstFrame(const std::string& program, unsigned seed, int runs, double& milliseconds,
                       std::string& error);
