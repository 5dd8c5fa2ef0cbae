#pragma once

#include "platform/offscreen/OffscreenOptions.h"

// Renders the show (or one model) into memory and writes the frames as
// DIR/frame-0001.png, ... Returns the process exit code; errors are printed
// as one line on stderr.
int RunOffscreen(const OffscreenOptions& options);
